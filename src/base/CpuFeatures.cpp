#include "base/CpuFeatures.h"

#include <cpuid.h>

namespace
{

constexpr unsigned kOsSavesExtendedState = 1u << 27;  // cpuid 1, ecx: OSXSAVE
constexpr unsigned kAvxInstructions = 1u << 28;       // cpuid 1, ecx: AVX
constexpr unsigned kSseAndAvxState = 0x6;             // XCR0: XMM and YMM state enabled

// The low word of extended control register 0; the instruction exists when OSXSAVE is set.
unsigned enabledStateComponents()
{
    unsigned low = 0;
    unsigned high = 0;
    __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

}  // namespace

bool avxAvailable()
{
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
        return false;
    if ((ecx & kOsSavesExtendedState) == 0 || (ecx & kAvxInstructions) == 0)
        return false;
    return (enabledStateComponents() & kSseAndAvxState) == kSseAndAvxState;
}
