#pragma once

// The one place messages to the user go through. Code below the platform layer (aligned
// allocation) cannot open a message box itself; the module entry installs the platform's
// presenter, and until then a message is one line on stderr.
namespace base
{

enum class MessageIcon
{
    None,
    Exclamation,
    Error,
    Information,
};

using MessagePresenter = void (*)(const char* text, const char* caption, MessageIcon icon);

void setMessagePresenter(MessagePresenter presenter);
void showUserMessage(const char* text, const char* caption, MessageIcon icon);

}  // namespace base
