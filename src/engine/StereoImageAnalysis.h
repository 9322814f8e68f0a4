#pragma once

#include "engine/StereoImageHandOff.h"
#include "engine/StereoImageMeter.h"

// The engine's side of the stereo scope: the image of the input and of the output, measured
// while an editor wants it and published kPublishesPerSecond times a second, however the
// host cuts its blocks. Audio thread only, after prepare; never allocates, locks or does I/O.
class StereoImageAnalysis
{
public:
    // Often enough that an editor drawing 60 frames a second rarely finds nothing new.
    static constexpr float kPublishesPerSecond = 120.0f;

    explicit StereoImageAnalysis(StereoImageHandOff& destination) : handOff(destination) {}

    // False when the meters' memory could not be had.
    bool prepare(float sampleRate);

    // Each block: the input before it is processed (the output may overwrite it), then the
    // output, which also publishes when one is due.
    void analyseInput(const float* left, const float* right, int sampleFrames);
    void analyseOutput(const float* left, const float* right, int sampleFrames);

private:
    StereoImageHandOff& handOff;
    StereoImageMeter input;
    StereoImageMeter output;
    int publishInterval = 1;  // samples
    int sinceLastPublish = 0;
    bool measuring = false;  // this block
    // The editor opening measured last: a new one starts from silence, not from whatever was
    // heard while the last one was open.
    unsigned measuredOpening = 0;
};
