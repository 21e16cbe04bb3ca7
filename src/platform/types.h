#pragma once
// Basic value types of the class library: points, rectangles, handles, messages.
#include <cstdint>
#include <functional>

namespace vcl {

class TObject;

// Window and icon handles are small numbers handed out by the library, so that
// the records we pass around keep the 32-bit layout the design was made for.
using THandle = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TPoint {
    int x = 0;
    int y = 0;
};

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Mouse messages as they reach a window; the tray callback carries one in lParam.
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;     // 512
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;   // 513
inline constexpr unsigned WM_LBUTTONUP = 0x0202;     // 514
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203; // 515
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;   // 516
inline constexpr unsigned WM_RBUTTONUP = 0x0205;     // 517
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206; // 518
inline constexpr unsigned WM_MBUTTONUP = 0x0208;     // 520
inline constexpr unsigned WM_APP = 0x8000;

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

} // namespace vcl
