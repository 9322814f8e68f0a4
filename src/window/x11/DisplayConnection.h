#pragma once

#include <X11/Xlib.h>

namespace platform
{

// A new connection to the X server, or null. A busy server can refuse one for a moment
// (EAGAIN while it reclaims a closed one): this tries a few times before giving up.
Display* openDisplayPatiently();

}  // namespace platform
