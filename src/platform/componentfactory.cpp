// The classes a form description may name, created by class name.
#include <functional>
#include <map>

#include "platform/classes.h"
#include "platform/exception.h"
#include "platform/extctrls.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"

namespace vcl {

namespace {
template <class T>
std::unique_ptr<TComponent> Make(TComponent* owner) {
    return std::make_unique<T>(owner);
}
} // namespace

std::unique_ptr<TComponent> CreateComponentByClass(const std::string& className, TComponent* owner) {
    using Factory = std::unique_ptr<TComponent> (*)(TComponent*);
    static const std::map<std::string, Factory> factories = {
        {"TLabel", &Make<TLabel>},         {"TButton", &Make<TButton>},
        {"TCheckBox", &Make<TCheckBox>},   {"TImage", &Make<TImage>},
        {"TTimer", &Make<TTimer>},         {"TPopupMenu", &Make<TPopupMenu>},
        {"TMenuItem", &Make<TMenuItem>},
    };
    auto it = factories.find(className);
    if (it == factories.end()) throw Exception("Unknown class " + className);
    return it->second(owner);
}

} // namespace vcl
