#pragma once
// The notification area: our own 88-byte notification record, laid out as the
// platform's 32-bit record is, and the request that hands it over.
#include <cstdint>

#include "platform/types.h"

namespace vcl {

inline constexpr unsigned NIM_ADD = 0;
inline constexpr unsigned NIM_MODIFY = 1;
inline constexpr unsigned NIM_DELETE = 2;

inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;

struct NOTIFYICONDATAA {
    std::uint32_t cbSize;
    std::uint32_t hWnd;  // window handle (THandle)
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uint32_t hIcon; // icon handle (THandle), 0 for none
    char szTip[64];
};
static_assert(sizeof(NOTIFYICONDATAA) == 88, "the record keeps the platform's 88-byte layout");

// Nonzero when the notification area accepted the request.
int Shell_NotifyIconA(unsigned request, const NOTIFYICONDATAA* data);

} // namespace vcl
