#include "platform/SharedGlContext.h"

namespace platform
{

// A WGL context draws only into windows of its pixel format, which the offscreen buffer an
// editor draws into fixes per window: each window keeps a context of its own.
std::shared_ptr<SharedGlContext> SharedGlContext::acquire(int&, std::string&)
{
    return nullptr;
}

}  // namespace platform
