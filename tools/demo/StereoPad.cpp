#include "StereoPad.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace
{

using Chord = std::array<int, 4>; // MIDI note numbers

constexpr std::array<Chord, 4> kChords = {{
    {57, 60, 64, 67}, // A minor 7
    {53, 57, 60, 64}, // F major 7
    {48, 55, 59, 64}, // C major 7
    {43, 50, 59, 64}, // G major 6
}};

constexpr int kHarmonics = 6;
constexpr double kDetuneCents = 4.0;
constexpr double kPanRateHz = 0.15;
constexpr double kFadeSeconds = 0.2;

double noteFrequency(int midiNote, double cents)
{
    return 440.0 * std::pow(2.0, (midiNote - 69 + cents / 100.0) / 12.0);
}

// A softened sawtooth: the first few harmonics only, so nothing aliases.
double softSaw(double phase)
{
    double sum = 0.0;
    for (int k = 1; k <= kHarmonics; ++k)
        sum += std::sin(k * phase) / k;
    return sum;
}

// Rises and falls at each chord's edges so chord changes do not click.
double chordEnvelope(double timeInChord, double chordSeconds)
{
    return std::min({1.0, timeInChord / kFadeSeconds, (chordSeconds - timeInChord) / kFadeSeconds});
}

}  // namespace

void addStereoPad(AudioClip& clip, float gain)
{
    const double rate = clip.sampleRate;
    const std::size_t frames = clip.frames();
    const double chordSeconds = static_cast<double>(frames) / rate / kChords.size();
    const double twoPi = 2.0 * std::numbers::pi;
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / rate;
        const std::size_t chordIndex = std::min(kChords.size() - 1, static_cast<std::size_t>(t / chordSeconds));
        const double envelope = gain * chordEnvelope(t - chordIndex * chordSeconds, chordSeconds);
        double left = 0.0;
        double right = 0.0;
        for (const int note : kChords[chordIndex])
        {
            left += softSaw(std::fmod(twoPi * noteFrequency(note, -kDetuneCents) * t, twoPi));
            right += softSaw(std::fmod(twoPi * noteFrequency(note, kDetuneCents) * t, twoPi));
        }
        // Constant-power pan sweeping between 15% and 85% to the right.
        const double pan = 0.5 + 0.35 * std::sin(twoPi * kPanRateHz * t);
        clip.channels[0][i] += static_cast<float>(envelope * left * std::cos(pan * std::numbers::pi / 2.0));
        clip.channels[1][i] += static_cast<float>(envelope * right * std::sin(pan * std::numbers::pi / 2.0));
    }
}
