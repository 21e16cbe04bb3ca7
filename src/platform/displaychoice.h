#pragma once
// Absolute window positions (the popup at the cursor, the dock bar at the top
// edge) are part of the design, and Wayland sessions forbid them. When an X
// server is reachable too (XWayland) and the person chose no platform with
// QT_QPA_PLATFORM, the program uses Qt's X11 platform.

namespace vcl {

// Sets QT_QPA_PLATFORM=xcb in the environment when that rule applies.
void PreferX11OnWayland();

} // namespace vcl
