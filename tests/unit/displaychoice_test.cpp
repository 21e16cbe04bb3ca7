// The platform choice in a Wayland session.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/displaychoice.h"

namespace {
void SetOrUnset(const char* name, const char* value) {
    if (value) setenv(name, value, 1);
    else unsetenv(name);
}
} // namespace

TEST(DisplayChoice, UsesX11OnlyInAWaylandSessionWithAnXServerAndNoChoiceMade) {
    struct Case {
        const char* wayland;
        const char* display;
        const char* chosen;
        const char* expected;
    } cases[] = {
        {"wayland-0", ":0", nullptr, "xcb"},
        {"wayland-0", ":0", "", "xcb"},
        {"wayland-0", ":0", "wayland", "wayland"},
        {"wayland-0", nullptr, nullptr, nullptr},
        {"wayland-0", "", nullptr, nullptr},
        {nullptr, ":0", nullptr, nullptr},
        {"", ":0", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SetOrUnset("WAYLAND_DISPLAY", c.wayland);
        SetOrUnset("DISPLAY", c.display);
        SetOrUnset("QT_QPA_PLATFORM", c.chosen);
        vcl::PreferX11OnWayland();
        const char* got = std::getenv("QT_QPA_PLATFORM");
        std::optional<std::string> g = got && *got ? std::optional<std::string>(got) : std::nullopt;
        std::optional<std::string> e = c.expected ? std::optional<std::string>(c.expected) : std::nullopt;
        EXPECT_EQ(g, e) << (c.wayland ? c.wayland : "-") << " " << (c.display ? c.display : "-");
    }
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
}
