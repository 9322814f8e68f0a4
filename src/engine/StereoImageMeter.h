#pragma once

#include "base/AlignedBuffer.h"
#include "engine/StereoImageReading.h"

// The stereo image of one signal: correlation over a short and a long time, balance, level
// and the goniometer's recent points. Fed blocks of left and right samples at any rate; all its
// memory is had when it is prepared, so feeding it never allocates, locks or does I/O.
class StereoImageMeter
{
public:
    static constexpr float kFastSeconds = 0.3f;
    static constexpr float kSlowSeconds = 3.0f;
    // The averages take the products summed over runs of this many samples (under 1 ms at
    // 44.1 kHz, against time constants of 300 ms and more), so the per-sample work is a few
    // vector multiply-adds.
    static constexpr int kRunLength = 32;

    // Sets the averages' and the points' rates for sampleRate (positive) and starts empty.
    // False when the points' memory could not be had; the meter must then not be fed.
    bool prepare(float sampleRate);
    // Forgets everything heard: silence, no points.
    void reset();

    void analyse(const float* left, const float* right, int sampleFrames);

    // The image now, into a record the caller owns.
    void read(StereoImageReading& into) const;

private:
    // Mean squares and the mean product, as one-pole averages or as a run's sums; double, so
    // a 3 s average at high rates still moves by more than its rounding.
    struct Products
    {
        double leftSquare = 0.0;
        double rightSquare = 0.0;
        double product = 0.0;
    };

    void addToRun(const float* left, const float* right, int count);
    void endRun();
    void takePoints(const float* left, const float* right, int sampleFrames);

    double fastCoefficient = 0.0;  // per run
    double slowCoefficient = 0.0;
    Products fast;
    Products slow;
    Products run;
    int runFilled = 0;

    // Samples between two points (at least 1), so the points span kScopeHistorySeconds.
    double samplesPerPoint = 1.0;
    double untilNextPoint = 0.0;
    int nextPoint = 0;
    int pointCount = 0;
    AlignedBuffer<ScopePoint> ring;  // kScopePointCapacity
};
