#include "platform/backend.h"

#include "platform/exception.h"
#include "platform/shellexecute.h"

namespace vcl {

namespace {
Backend* current = nullptr;
}

Backend& GetBackend() {
    if (!current) throw Exception("No window system backend");
    return *current;
}

void Backend::ShellOpen(const std::string& program, const std::optional<std::string>& parameters) {
    ShellExecuteA(nullptr, "open", program.c_str(), parameters ? parameters->c_str() : nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void SetBackend(Backend* backend) { current = backend; }

bool HasBackend() { return current != nullptr; }

} // namespace vcl
