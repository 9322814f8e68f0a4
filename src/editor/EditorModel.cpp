#include "editor/EditorModel.h"

#include "engine/EngineDisplays.h"
#include "window/NativeGlWindow.h"

bool EditorModel::metersMoving() const
{
    return engineHost != nullptr && GainMeterReading::moving(engineHost->meters());
}

bool EditorModel::spectrumWaiting() const
{
    return engineHost != nullptr && engineHost->displaySpectrum().hasNews();
}

bool EditorModel::stereoImageWaiting() const
{
    return engineHost != nullptr && engineHost->displayStereoImage().hasNews();
}

const StereoImageSnapshot* EditorModel::stereoImage() const
{
    return fromThisOpening(latestStereoImage) ? latestStereoImage : nullptr;
}

bool EditorModel::fromThisOpening(const StereoImageSnapshot* image) const
{
    return image != nullptr && engineHost != nullptr && image->opening == engineHost->displayStereoImage().openings();
}

void EditorModel::takeLiveData()
{
    if (engineHost == nullptr)
        return;
    meterReading = GainMeterReading::take(engineHost->meters());
    takenTick = platform::tickCount();
    latestSpectrum = engineHost->displaySpectrum().takeLatest();
    // A new image comes in another of the hand-off's snapshots. Until this opening's first
    // arrives, there is none: what is left in them was heard while the editor was last open.
    const StereoImageSnapshot* taken = &engineHost->displayStereoImage().takeLatest();
    if (!fromThisOpening(taken))
        taken = nullptr;
    if (taken != latestStereoImage)
        ++stereoImageCount;
    latestStereoImage = taken;
}
