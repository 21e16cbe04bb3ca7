#include "platform/displaychoice.h"

#include <cstdlib>

namespace vcl {

void PreferX11OnWayland() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (!set("QT_QPA_PLATFORM") && set("WAYLAND_DISPLAY") && set("DISPLAY")) setenv("QT_QPA_PLATFORM", "xcb", 1);
}

} // namespace vcl
