#include "platform/MessageBox.h"

#include <cstdio>

namespace platform
{

// Linux hosts give a plug-in no standard dialog service, so messages go to stderr, which
// hosts keep in their logs.
void showMessageBox(const char* text, const char* caption, MessageIcon)
{
    std::fprintf(stderr, "[Vantor Pro] %s: %s\n", caption, text);
    std::fflush(stderr);
}

}  // namespace platform
