#include "base/UserMessage.h"

#include <atomic>
#include <cstdio>

namespace base
{
namespace
{

void writeToStderr(const char* text, const char* caption, MessageIcon)
{
    std::fprintf(stderr, "[Vantor Pro] %s: %s\n", caption, text);
    std::fflush(stderr);
}

// Module-wide: every effect instance in the process shares the one presenter.
std::atomic<MessagePresenter> presenter{writeToStderr};

}  // namespace

void setMessagePresenter(MessagePresenter newPresenter)
{
    presenter.store(newPresenter != nullptr ? newPresenter : writeToStderr);
}

void showUserMessage(const char* text, const char* caption, MessageIcon icon)
{
    presenter.load()(text, caption, icon);
}

}  // namespace base
