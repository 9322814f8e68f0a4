#pragma once

// A stored value as a place along a control's travel or a display's axis: 0..1, whatever a
// host or a chunk stored (a NaN counts as 0).
inline float clampedToUnit(float value)
{
    if (!(value >= 0.0f))
        return 0.0f;
    return value <= 1.0f ? value : 1.0f;
}
