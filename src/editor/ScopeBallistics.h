#pragma once

#include "editor/CorrelationHold.h"

#include <cstdint>

struct StereoImageReading;

// What the Scope view keeps from one reading to the next for one signal: the goniometer's
// automatic gain and the correlation meter's hold. Fed each reading the view shows, with the
// time it was taken, so the same readings at the same times always give the same picture.
// Editor thread.
class ScopeBallistics
{
public:
    // The loudest point lands at this fraction of the goniometer's radius.
    static constexpr float kFill = 0.85f;
    // From a clipping full-scale signal to one 60 dB below full scale.
    static constexpr float kMinGain = 0.25f;
    static constexpr float kMaxGain = 1000.0f;
    // A louder signal takes the gain down at once; a quieter one lets it rise this many
    // doublings a second (6 dB/s), so quiet passages come up without pumping.
    static constexpr float kReleaseDoublingsPerSecond = 1.0f;
    // Quieter than this (RMS of both channels, dBFS), the goniometer draws nothing: what is
    // left is noise in the last bits.
    static constexpr float kAudibleDb = -80.0f;

    static bool audible(const StereoImageReading& reading);
    // The gain that puts the reading's loudest point at kFill, within the gain's range.
    static float targetGain(const StereoImageReading& reading);

    // A reading shown at `now`, in milliseconds of platform::tickCount (wrapping).
    void take(const StereoImageReading& reading, std::uint32_t now);

    // Goniometer radii per unit of side or mid.
    float gain() const { return started ? gainNow : kMaxGain; }
    const CorrelationHold& hold() const { return lowest; }
    // Whether both would draw the same.
    bool looksLike(const ScopeBallistics& other) const
    {
        return gain() == other.gain() && lowest.lowest() == other.lowest.lowest();
    }

private:
    float gainNow = kMaxGain;
    std::uint32_t takenAt = 0;
    bool started = false;
    CorrelationHold lowest;
};
