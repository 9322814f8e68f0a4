#include "platform/MessageBox.h"

#include <cstdio>
#include <windows.h>

namespace platform
{

void showMessageBox(const char* text, const char* caption, MessageIcon icon)
{
    if (dialogsSuppressed())
    {
        std::fprintf(stderr, "[Vantor Pro] %s: %s\n", caption, text);
        std::fflush(stderr);
        return;
    }
    UINT style = MB_OK | MB_TOPMOST;
    switch (icon)
    {
    case MessageIcon::None: break;
    case MessageIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
    case MessageIcon::Error: style |= MB_ICONERROR; break;
    case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
    }
    MessageBoxA(nullptr, text, caption, style);
}

}  // namespace platform
