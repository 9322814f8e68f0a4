#pragma once

#include "base/UserMessage.h"

namespace platform
{

using MessageIcon = base::MessageIcon;

// Shows a modal message to the user. When the environment variable VANTOR_NO_DIALOGS is set
// (tests, CI) the message becomes one line on stderr instead, so no run ever waits for a click.
void showMessageBox(const char* text, const char* caption, MessageIcon icon);

// True when dialogs are turned into stderr lines.
bool dialogsSuppressed();

}  // namespace platform
