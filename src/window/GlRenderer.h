#pragma once

namespace platform
{

// True when the current context draws on the CPU (Mesa's llvmpipe or softpipe, Windows'
// generic implementation), where multisampling multiplies the cost of every frame.
bool rendererDrawsOnCpu();

}  // namespace platform
