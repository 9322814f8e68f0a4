#include "editor/CorrelationHold.h"

void CorrelationHold::take(float correlation, std::uint32_t now)
{
    // Unsigned difference: right across the tick count's wrap.
    const bool expired = now - heldSince >= kHoldMilliseconds;
    if (!holding || expired || correlation <= held)
    {
        held = correlation;
        heldSince = now;
        holding = true;
    }
}
