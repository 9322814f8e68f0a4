#pragma once

// What the stereo image analysis hands on: the editor's scope and the renderer's report read
// the same record.

// The goniometer's point count: the last kScopeHistorySeconds of signal, thinned to fit.
constexpr int kScopePointCapacity = 2048;
constexpr float kScopeHistorySeconds = 0.3f;
// The level read for silence, and the floor of every level read.
constexpr float kImageSilenceDb = -120.0f;

// One sample pair rotated by 45 degrees, lengths kept (side² + mid² = L² + R²):
//   mid  = (L + R) / √2, drawn upwards: mono is a vertical line;
//   side = (R - L) / √2, drawn across, positive towards the right channel: L = -R is a
//          horizontal line, left alone leans up to the left (side = -mid), right alone up to
//          the right (side = mid).
struct ScopePoint
{
    float side;
    float mid;
};

// One signal's image at the moment it was read.
struct StereoImageReading
{
    // <LR> / sqrt(<L²><R²>) over about 0.3 s and 3 s: +1 mono, 0 unrelated, -1 out of phase;
    // 0 in silence or with one channel silent.
    float correlationFast = 0.0f;
    float correlationSlow = 0.0f;
    // (<R²> - <L²>) / (<R²> + <L²>) over about 0.3 s: -1 left only, +1 right only, 0 in silence.
    float balance = 0.0f;
    // RMS of both channels together over about 0.3 s, dBFS (a full-scale sine in both reads
    // -3 dB), never below kImageSilenceDb.
    float levelDb = kImageSilenceDb;
    // The newest pointCount points, oldest first, spread over the last kScopeHistorySeconds.
    int pointCount = 0;
    ScopePoint points[kScopePointCapacity] = {};
};

// Both sides of the effect at one moment.
struct StereoImageSnapshot
{
    StereoImageReading input;
    StereoImageReading output;
    // The editor opening it was measured for (StereoImageHandOff::openings): one published
    // as the last opening closed must not pass for the next one's.
    unsigned opening = 0;
};
