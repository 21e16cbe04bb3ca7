#include "platform/winuser.h"

#include "platform/backend.h"
#include "platform/forms.h"

namespace vcl {

int GetCursorPos(TPoint* point) {
    if (!point) return 0;
    return GetBackend().CursorPos(*point) ? 1 : 0;
}

int SetForegroundWindow(THandle window) {
    TForm* form = TForm::FromHandle(window);
    if (!form) return 0;
    GetBackend().SetForeground(*form);
    return 1;
}

char* lstrcpynA(char* dest, const char* src, int maxCount) {
    if (!dest || maxCount <= 0) return dest;
    int i = 0;
    for (; src && i < maxCount - 1 && src[i]; ++i) dest[i] = src[i];
    dest[i] = '\0';
    return dest;
}

} // namespace vcl
