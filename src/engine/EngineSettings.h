#pragma once

#include "params/EngineAmounts.h"

#include <atomic>

// The engine coefficients that follow the parameters. They live outside the frame buffers
// so a sample-rate change, which replaces the buffers, keeps the sound's settings.
// Written and read on the audio thread only.
struct EngineSettings : ParameterAmounts
{
    float mix = 1.0f;      // bypass crossfade position, 1 = fully wet
    float mixStep = 0.0f;  // per-sample change of mix while a fade runs
    float shape = 0.0f;    // smoothed copy of shapeTarget
};

// Values the audio thread publishes for the editor, which reads them and writes decayed
// values back on its own thread. Relaxed atomics: a stale value only affects one redraw.
struct EngineMeters
{
    std::atomic<float> peakLeft{0.0f};
    std::atomic<float> peakRight{0.0f};
    std::atomic<float> clipFlag{0.0f};
    std::atomic<float> bassMeter{0.0f};
    std::atomic<float> sizzleMeter{0.0f};
};
