#include "platform/MessageBox.h"

#include <cstdlib>

namespace platform
{

bool dialogsSuppressed()
{
    const char* value = std::getenv("VANTOR_NO_DIALOGS");
    return value != nullptr && value[0] != '\0' && value[0] != '0';
}

}  // namespace platform
