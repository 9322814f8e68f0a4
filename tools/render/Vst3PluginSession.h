#pragma once

#include "PluginSession.h"
#include "Vst3HostContext.h"
#include "Vst3Module.h"
#include "Vst3PluginInstance.h"
#include "Vst3RunLoop.h"
#include "Vst3StereoProcessData.h"

#include <memory>
#include <string>
#include <vector>

// The first audio effect class of a VST3 bundle (or module file), driven offline as a VST3
// host drives it: set up for 32-bit samples at the file's rate, activated, processing
// blocks with one stereo bus each way. Parameter values reach it as points of the next
// block's parameter changes (and the controller at once); chunks are the component's state,
// which the controller is given too.
class Vst3PluginSession final : public PluginSession
{
public:
    Vst3PluginSession(const std::string& modulePath, int sampleRate, int blockSize);
    ~Vst3PluginSession() override;

    std::vector<ParameterInfo> parameters() const override;
    void setParameter(int index, float value) override;
    void scheduleParameter(int index, float value, int offset) override;
    bool loadChunk(const std::vector<unsigned char>& bytes) override;
    std::vector<unsigned char> saveChunk() const override;
    void resume() override;
    void suspend() override;
    int latency() const override;
    int blockSize() const override { return maxBlockSize; }
    void process(const float* left, const float* right, float* outLeft, float* outRight, int frames) override;

private:
    Vst3RunLoop runLoop;
    Vst3HostContext context{runLoop};
    std::unique_ptr<Vst3Module> module;
    std::unique_ptr<Vst3PluginInstance> effect;
    std::unique_ptr<Vst3StereoProcessData> processData;
    double sampleRate;
    int maxBlockSize;
    bool processing = false;
};
