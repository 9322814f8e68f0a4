#pragma once

#include "Vst3MemoryStream.h"
#include "Vst3Module.h"
#include "Vst3PluginInstance.h"
#include "Vst3RunLoop.h"
#include "Vst3StereoProcessData.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The bundle named by VANTOR_VST3_BUNDLE, loaded once per process as a host does, with the
// host context (and run loop) it was given.
const Vst3Module& vst3Module();
const std::string& vst3BundlePath();
// The run loop the module's host context offers (on Linux), which a test turns as a host's
// UI loop does.
Vst3RunLoop& vst3RunLoop();

// The class id the identity record gives, in this platform's byte order.
vst3::Tuid effectClassId();

// An effect made and initialised; null (with the test failed) when that fails.
std::unique_ptr<Vst3PluginInstance> createdEffect();

// Set up for 32-bit samples at the rate, activated and processing.
std::unique_ptr<Vst3PluginInstance> processingEffect(double sampleRate, std::int32_t maxBlock = 4096);
void startProcessing(Vst3PluginInstance& effect, double sampleRate, std::int32_t maxBlock = 4096);

// Processes left/right in place in blocks of `blockSize`; before each block `beforeBlock`
// (if given) may add parameter change points for it, given the block's first sample.
using BlockChanges = std::function<void(Vst3ParameterChanges& changes, std::size_t start)>;
void processInBlocks(Vst3PluginInstance& effect, std::vector<float>& left, std::vector<float>& right,
                     std::size_t blockSize, const BlockChanges& beforeBlock = {});

// The component's state as getState writes it; empty when it fails.
std::vector<unsigned char> savedState(Vst3PluginInstance& effect);
