#pragma once

#include "PluginSession.h"
#include "SignalStats.h"
#include "SoundFileReader.h"
#include "SoundFileWriter.h"

#include <cstddef>
#include <functional>
#include <vector>

using ProgressReport = std::function<void(double fraction)>;

struct StreamedRender
{
    std::size_t frames = 0;  // of the input, and so of the output
    StereoStats input;
    StereoStats output;
};

// Frames read, processed and written per pass of renderThroughPlugin (rounded up to whole
// plug-in blocks): the renderer's memory, whatever the length of the file.
constexpr std::size_t kStreamFrames = 32768;

// Resumes the session, streams the mono or stereo input through it block by block into
// the stereo writer, and suspends it again. The output has the input's length; mono feeds
// both channels. With align, the first latency() output samples are dropped and silence
// is fed to flush the tail, so the output lines up with the input sample for sample.
// The statistics of both sides are gathered on the way. Each change takes effect at its
// input sample (changes in frame order).
struct TimedChange
{
    std::size_t frame;
    int index;
    float value;
};
// Whoever else wants to see the input and the output as they stream past (the stereo
// report's analysis): called with each piece in order, one call at a time, from the
// renderer's file thread or its own.
using StreamTap = std::function<void(const float* left, const float* right, std::size_t frames)>;
struct StreamTaps
{
    StreamTap input;
    StreamTap output;
};
StreamedRender renderThroughPlugin(PluginSession& session, SoundFileReader& input, SoundFileWriter& output, bool align,
                                   const ProgressReport& report, const std::vector<TimedChange>& changes = {},
                                   const StreamTaps& taps = {});
