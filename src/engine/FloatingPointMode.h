#pragma once

#include <xmmintrin.h>

// Flush denormal results to zero and treat denormal inputs as zero (the SSE control
// register's FTZ and DAZ bits). Left set on return: the host's audio thread expects it.
inline void enableDenormalFlushing()
{
    constexpr unsigned int kFlushToZeroAndDenormalsAreZero = 0x8040;
    _mm_setcsr(_mm_getcsr() | kFlushToZeroAndDenormalsAreZero);
}
