#include "window/GuiTimer.h"

namespace platform
{

bool GuiTimer::start(unsigned, Callback, void*)
{
    return false;
}

void GuiTimer::stop() {}

}  // namespace platform
