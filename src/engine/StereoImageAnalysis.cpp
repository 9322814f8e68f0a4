// Runs on the audio thread: no allocation, no locks, no I/O.

#include "engine/StereoImageAnalysis.h"

#include <algorithm>
#include <cmath>

bool StereoImageAnalysis::prepare(float sampleRate)
{
    if (!input.prepare(sampleRate) || !output.prepare(sampleRate))
        return false;
    publishInterval = std::max(1, static_cast<int>(std::lround(sampleRate / kPublishesPerSecond)));
    sinceLastPublish = 0;
    measuring = false;
    measuredOpening = handOff.openings() - 1;
    return true;
}

void StereoImageAnalysis::analyseInput(const float* left, const float* right, int sampleFrames)
{
    measuring = handOff.wanted();
    if (!measuring)
        return;
    if (handOff.openings() != measuredOpening)
    {
        input.reset();
        output.reset();
        sinceLastPublish = 0;
        measuredOpening = handOff.openings();
    }
    input.analyse(left, right, sampleFrames);
}

void StereoImageAnalysis::analyseOutput(const float* left, const float* right, int sampleFrames)
{
    if (!measuring)
        return;
    output.analyse(left, right, sampleFrames);
    sinceLastPublish += sampleFrames;
    if (sinceLastPublish < publishInterval)
        return;
    sinceLastPublish = 0;
    StereoImageSnapshot& snapshot = handOff.fillSnapshot();
    input.read(snapshot.input);
    output.read(snapshot.output);
    snapshot.opening = measuredOpening;
    handOff.publish();
}
