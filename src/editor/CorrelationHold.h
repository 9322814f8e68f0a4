#pragma once

#include <cstdint>

// The correlation meter's hold mark: the lowest correlation shown in the last two seconds.
// A lower value takes the mark at once; a mark older than kHoldMilliseconds gives way to the
// value shown now. Editor thread, fed once a frame.
class CorrelationHold
{
public:
    static constexpr std::uint32_t kHoldMilliseconds = 2000;

    // The correlation shown at `now`, in milliseconds of platform::tickCount (wrapping).
    void take(float correlation, std::uint32_t now);
    // Nothing held: the next value taken is the mark.
    void clear() { holding = false; }

    // The mark; 1 (no warning) before anything was taken.
    float lowest() const { return holding ? held : 1.0f; }
    // Out of phase at some moment of the hold time: drawn as a warning.
    bool warns() const { return lowest() < 0.0f; }

private:
    float held = 1.0f;
    std::uint32_t heldSince = 0;
    bool holding = false;
};
