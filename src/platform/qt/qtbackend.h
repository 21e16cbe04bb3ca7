#pragma once
// The Qt 6 backend: draws the model with Qt Widgets. This header has no Qt in
// it, so the program entry can start the backend without including Qt.
#include <memory>

#include "platform/backend.h"

namespace vcl {

// Creates the Qt application object and the backend, and makes it current.
std::unique_ptr<Backend> CreateQtBackend(int& argc, char** argv);

// Absolute window positions are part of the design; Wayland sessions forbid
// them. When an X server is reachable too and the person chose no platform,
// use Qt's X11 platform.
void PreferX11OnWayland();

} // namespace vcl
