#include "platform/shellapi.h"

#include "platform/backend.h"

namespace vcl {

int Shell_NotifyIconA(unsigned request, const NOTIFYICONDATAA* data) {
    if (!data || data->cbSize != sizeof(NOTIFYICONDATAA)) return 0;
    return GetBackend().NotifyIcon(request, *data) ? 1 : 0;
}

} // namespace vcl
