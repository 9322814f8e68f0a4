#pragma once

#include "engine/EngineSettings.h"
#include "engine/SpectrumHandOff.h"
#include "engine/StereoImageHandOff.h"

// What the engine publishes for the live displays: the meters and the spectrum and stereo
// image hand-offs, and whether an editor wants them. The editor reads only this of the
// engine, so an editor in another binary (LV2's UI) can be fed a copy of it.
class EngineDisplays
{
public:
    EngineMeters& meters() { return publishedMeters; }
    SpectrumHandOff& displaySpectrum() { return spectrum; }
    StereoImageHandOff& displayStereoImage() { return stereoImage; }
    // The live displays' analyses run only while an editor wants them.
    void setDisplayWanted(bool wanted)
    {
        spectrum.setWanted(wanted);
        stereoImage.setWanted(wanted);
    }
    bool displayWanted() const { return spectrum.wanted(); }

private:
    EngineMeters publishedMeters;
    SpectrumHandOff spectrum;
    StereoImageHandOff stereoImage;
};
