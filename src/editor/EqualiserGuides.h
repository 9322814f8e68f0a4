#pragma once

// The equaliser's dB guide lines: pairs at +-u dB for u = 2, 5.67, ... 24 (seven, 11/3 apart),
// spaced by the EQ gain range so a small range spreads them apart. Offsets are from the
// centre line, in the units of halfHeight; lines beyond the box are left out.
struct EqualiserGuides
{
    static constexpr int kMaxPairs = 7;

    float offsets[kMaxPairs];
    int count;

    static EqualiserGuides forRange(float rangeDb, float halfHeight);
};
