#pragma once
// Win32-style names shared by the parts of the library that keep the
// original calling shapes. Only plain typedefs and constants live here.
#include <cstdint>

namespace vcl {

// An owner window as the shell calls take it; nothing here dereferences it.
using HWND = void*;

// Show commands. There is no window to show for a started program here, so
// they are accepted and passed over.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;

} // namespace vcl
