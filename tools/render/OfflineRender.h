#pragma once

#include "AudioClip.h"
#include "PluginSession.h"

#include <functional>

using ProgressReport = std::function<void(double fraction)>;

// Resumes the session, runs the two-channel input through it block by block and suspends
// it again. The output has the input's length. With align, the first latency() output
// samples are dropped and silence is fed to flush the tail, so the output lines up with
// the input sample for sample.
AudioClip renderThroughPlugin(PluginSession& session, const AudioClip& input, bool align, const ProgressReport& report);
