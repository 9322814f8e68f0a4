#include "DemoSignal.h"

#include "DrumVoices.h"
#include "PseudoRandom.h"
#include "StereoPad.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kStepSeconds = 0.125; // sixteenth notes at 120 BPM
constexpr int kStepsPerBar = 16;
constexpr float kPeakTarget = 0.70794578f; // -3 dBFS
constexpr double kEdgeFadeSeconds = 0.01;

void addDrumStep(AudioClip& clip, int stepInBar, std::size_t start, PseudoRandom& noise)
{
    if (stepInBar == 0 || stepInBar == 8 || stepInBar == 11)
        addKick(clip, start, stepInBar == 11 ? 0.7f : 1.0f);
    if (stepInBar == 4 || stepInBar == 12)
        addSnare(clip, start, 0.9f, noise);
    if (stepInBar % 2 == 0)
        addHat(clip, start, stepInBar % 4 == 0 ? 0.5f : 0.35f, stepInBar == 14 ? 0.12f : 0.025f, noise);
}

void normalisePeak(AudioClip& clip)
{
    float peak = 0.0f;
    for (const std::vector<float>& channel : clip.channels)
    {
        for (const float sample : channel)
            peak = std::max(peak, std::fabs(sample));
    }
    const float scale = kPeakTarget / peak;
    for (std::vector<float>& channel : clip.channels)
    {
        for (float& sample : channel)
            sample *= scale;
    }
}

// Fades the very start and end so the file neither begins nor ends with a click.
void fadeEdges(AudioClip& clip)
{
    const std::size_t fadeFrames = static_cast<std::size_t>(kEdgeFadeSeconds * clip.sampleRate);
    const std::size_t frames = clip.frames();
    for (std::size_t i = 0; i < fadeFrames; ++i)
    {
        const float gain = static_cast<float>(i) / static_cast<float>(fadeFrames);
        for (std::vector<float>& channel : clip.channels)
        {
            channel[i] *= gain;
            channel[frames - 1 - i] *= gain;
        }
    }
}

}  // namespace

AudioClip makeDemoSignal()
{
    AudioClip clip;
    clip.sampleRate = kDemoSampleRate;
    clip.channels.assign(2, std::vector<float>(static_cast<std::size_t>(kDemoSeconds * kDemoSampleRate), 0.0f));

    PseudoRandom noise(20240611u);
    const int steps = static_cast<int>(kDemoSeconds / kStepSeconds);
    for (int step = 0; step < steps; ++step)
    {
        const auto start = static_cast<std::size_t>(std::lround(step * kStepSeconds * kDemoSampleRate));
        addDrumStep(clip, step % kStepsPerBar, start, noise);
    }
    addStereoPad(clip, 0.12f);
    normalisePeak(clip);
    fadeEdges(clip);
    return clip;
}
