#pragma once
// The Qt 6 backend: draws the model with Qt Widgets. This header has no Qt in
// it, so the program entry can start the backend without including Qt.
#include <memory>

#include "platform/backend.h"

namespace vcl {

// Creates the Qt application object and the backend, and makes it current.
std::unique_ptr<Backend> CreateQtBackend(int& argc, char** argv);

} // namespace vcl
