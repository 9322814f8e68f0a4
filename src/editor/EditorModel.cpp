#include "editor/EditorModel.h"

#include "engine/EngineDisplays.h"
#include "window/NativeGlWindow.h"

bool EditorModel::metersMoving() const
{
    return displays != nullptr && GainMeterReading::moving(displays->meters());
}

bool EditorModel::spectrumWaiting() const
{
    return displays != nullptr && displays->displaySpectrum().hasNews();
}

bool EditorModel::stereoImageWaiting() const
{
    return displays != nullptr && displays->displayStereoImage().hasNews();
}

const StereoImageSnapshot* EditorModel::stereoImage() const
{
    return fromThisOpening(latestStereoImage) ? latestStereoImage : nullptr;
}

bool EditorModel::fromThisOpening(const StereoImageSnapshot* image) const
{
    return image != nullptr && displays != nullptr && image->opening == displays->displayStereoImage().openings();
}

void EditorModel::takeLiveData()
{
    if (displays == nullptr)
        return;
    meterReading = GainMeterReading::take(displays->meters());
    takenTick = platform::tickCount();
    latestSpectrum = displays->displaySpectrum().takeLatest();
    // A new image comes in another of the hand-off's snapshots. Until this opening's first
    // arrives, there is none: what is left in them was heard while the editor was last open.
    const StereoImageSnapshot* taken = &displays->displayStereoImage().takeLatest();
    if (!fromThisOpening(taken))
        taken = nullptr;
    if (taken != latestStereoImage)
        ++stereoImageCount;
    latestStereoImage = taken;
}
