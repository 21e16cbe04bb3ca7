#pragma once
// Window-system calls the handlers make directly.
#include <cstddef>

#include "platform/types.h"

namespace vcl {

// Nonzero when the point was filled with the cursor's screen position.
int GetCursorPos(TPoint* point);
int SetForegroundWindow(THandle window);
// Copies at most maxCount-1 bytes and always ends the copy with a zero byte.
char* lstrcpynA(char* dest, const char* src, int maxCount);

} // namespace vcl
