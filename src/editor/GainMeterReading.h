#pragma once

#include "engine/EngineSettings.h"

// What the stereo gain panel shows in one frame, taken from the engine's published meters.
// Taking a reading lowers the meters (a peak with a per-frame release) and consumes the clip
// flag, so a clipped block shows for exactly one frame unless the audio clips again.
struct GainMeterReading
{
    float stereo[4];  // left level, right level, bass - 0.14, high-frequency excitement
    float clipped;    // 1.0 for a clipped block

    static GainMeterReading take(EngineMeters& meters);
    // Whether the panel would show this reading as it shows the other: the same clip, levels
    // and excitement within what a pixel can tell apart, and bass rings alike (none below
    // the threshold). A release goes on long after it stops changing the picture.
    bool looksLike(const GainMeterReading& other) const;
    // Whether a reading would still show something: a level, a bass ring, veins or a clip.
    static bool moving(const EngineMeters& meters);
};
