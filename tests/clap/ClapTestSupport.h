#pragma once

#include "ClapPluginInstance.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The CLAP module named by VANTOR_CLAP_MODULE, loaded once per process as a host does.
const ClapModule& clapModule();

constexpr char kClapPluginId[] = "com.brackwel.vantor-pro";

// A plug-in created and initialised; null (with the test failed) when either step fails.
std::unique_ptr<ClapPluginInstance> initialisedPlugin();

// Activated at the rate and processing, on the calling thread.
std::unique_ptr<ClapPluginInstance> processingPlugin(double sampleRate, std::uint32_t maxFrames = 4096);

// Processes left/right in place in blocks of `blockSize`; before each block `beforeBlock`
// (if given) may queue input events for it, given the block's first sample.
void processInBlocks(ClapPluginInstance& plugin, std::vector<float>& left, std::vector<float>& right,
                     std::size_t blockSize,
                     const std::function<void(ClapPluginInstance&, std::size_t)>& beforeBlock = {});
