#include "DrumVoices.h"

#include <cmath>
#include <numbers>

namespace
{

// Adds a mono hit into both channels with a fixed left/right balance.
template <typename Voice>
void addHit(AudioClip& clip, std::size_t start, double seconds, float leftGain, float rightGain, Voice voice)
{
    const double rate = clip.sampleRate;
    const std::size_t length = static_cast<std::size_t>(seconds * rate);
    for (std::size_t i = 0; i < length && start + i < clip.frames(); ++i)
    {
        const float sample = voice(static_cast<double>(i) / rate);
        clip.channels[0][start + i] += leftGain * sample;
        clip.channels[1][start + i] += rightGain * sample;
    }
}

}  // namespace

void addKick(AudioClip& clip, std::size_t start, float velocity)
{
    // A sine swept down from about 155 Hz to 45 Hz, its phase integrated step by step.
    double phase = 0.0;
    const double step = 2.0 * std::numbers::pi / clip.sampleRate;
    addHit(clip, start, 0.4, 1.0f, 1.0f,
           [&](double t)
           {
               const double frequency = 45.0 + 110.0 * std::exp(-t / 0.03);
               phase += step * frequency;
               return velocity * static_cast<float>(std::sin(phase) * std::exp(-t / 0.12));
           });
}

void addSnare(AudioClip& clip, std::size_t start, float velocity, PseudoRandom& noise)
{
    float previousNoise = 0.0f;
    addHit(clip, start, 0.25, 1.0f, 0.85f,
           [&](double t)
           {
               // Differencing the noise tilts it towards the highs.
               const float white = noise.nextBipolar();
               const float bright = 0.5f * (white - previousNoise);
               previousNoise = white;
               const double tone = 0.35 * std::sin(2.0 * std::numbers::pi * 185.0 * t) * std::exp(-t / 0.05);
               return velocity * static_cast<float>(tone + 0.6 * bright * std::exp(-t / 0.09));
           });
}

void addHat(AudioClip& clip, std::size_t start, float velocity, float decaySeconds, PseudoRandom& noise)
{
    float previousNoise = 0.0f;
    float previousBright = 0.0f;
    addHit(clip, start, 6.0 * decaySeconds, 0.7f, 1.0f,
           [&](double t)
           {
               // Differenced twice: little left below a few kilohertz.
               const float white = noise.nextBipolar();
               const float bright = 0.5f * (white - previousNoise);
               const float brighter = 0.5f * (bright - previousBright);
               previousNoise = white;
               previousBright = bright;
               return velocity * brighter * static_cast<float>(std::exp(-t / decaySeconds));
           });
}
