#pragma once

#include "editor/GainMeterReading.h"
#include "params/ParameterTable.h"

#include <cstdint>

class EngineDisplays;
struct StereoImageSnapshot;

// What the editor shows, kept on the GUI thread: every parameter as the host last set it
// (one read of the effect when the editor opens, then the host's changes from the inbox and
// the user's own edits), and the live displays' data, taken from the engine once a frame.
// Controls and displays read it; nothing reaches the effect or the engine while drawing.
class EditorModel
{
public:
    // engine may be null (the effect came up without one): the live displays stay empty.
    explicit EditorModel(EngineDisplays* engine) : displays(engine) {}

    // The stored value, however far out a host or chunk put it; 0 outside the table.
    float value(int index) const { return isParameter(index) ? values[index] : 0.0f; }
    void setValue(int index, float stored)
    {
        if (isParameter(index))
            values[index] = stored;
    }

    // Whether the engine has something the live displays do not show yet.
    bool metersMoving() const;
    bool spectrumWaiting() const;
    bool stereoImageWaiting() const;
    // Once a frame, before the frame's damage is known: the meters as this frame shows them
    // (taking them lowers the engine's meters), the newest spectrum and stereo image.
    void takeLiveData();
    const GainMeterReading& meters() const { return meterReading; }
    // When they were taken, in milliseconds of platform::tickCount.
    std::uint32_t takenAt() const { return takenTick; }
    // The spectrum taken last; null without an engine.
    const float* spectrum() const { return latestSpectrum; }
    // The stereo image of the input and the output taken last; null without an engine and
    // until this opening of the editor has one (the model outlives openings). It stays whole
    // until the next takeLiveData.
    const StereoImageSnapshot* stereoImage() const;
    // Counts the new stereo images taken, so a reader knows whether it saw this one.
    std::uint32_t stereoImagesTaken() const { return stereoImageCount; }

private:
    bool fromThisOpening(const StereoImageSnapshot* image) const;

    float values[kNumParameters] = {};
    EngineDisplays* displays;
    GainMeterReading meterReading{};
    std::uint32_t takenTick = 0;
    const float* latestSpectrum = nullptr;
    const StereoImageSnapshot* latestStereoImage = nullptr;
    std::uint32_t stereoImageCount = 0;
};
