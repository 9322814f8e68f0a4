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

void EditorModel::takeLiveData()
{
    if (engineHost == nullptr)
        return;
    meterReading = GainMeterReading::take(engineHost->meters());
    takenTick = platform::tickCount();
    latestSpectrum = engineHost->displaySpectrum().takeLatest();
    latestStereoImage = &engineHost->displayStereoImage().takeLatest();
}
