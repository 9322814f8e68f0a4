#pragma once

#include "Lv2BundleWorld.h"
#include "PluginSession.h"

#include <lilv/lilv.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The first plug-in of an LV2 bundle folder, driven offline as an LV2 host drives it:
// instantiated at the file's rate with the URI map, every control input at its default,
// activated, run over the first two audio inputs and outputs. Parameters are the control
// inputs by port index, their values normalised as in every format and written to the ports
// in the ports' units (dB, %, a count); LV2 reads them once per run call, so a value timed inside a block
// splits the block there, as a VST host splits it. A chunk is the value of the plug-in's one
// state property.
class Lv2PluginSession final : public PluginSession
{
public:
    Lv2PluginSession(const std::string& bundlePath, int sampleRate, int blockSize);
    ~Lv2PluginSession() override;

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
    struct ScheduledValue
    {
        int offset;
        int port;
        float value;
    };
    bool isParameterPort(int port) const;
    void run(const float* left, const float* right, float* outLeft, float* outRight, int frames);

    std::unique_ptr<Lv2BundleWorld> bundle;
    LilvInstance* instance = nullptr;
    LV2_Feature mapFeature{};
    LV2_Feature unmapFeature{};
    std::vector<const LV2_Feature*> features;
    // The host's control buffers, one per port; audio ports are connected for each run.
    mutable std::vector<float> controls;
    std::vector<std::uint32_t> controlInputs;
    std::vector<std::uint32_t> audioInputs;
    std::vector<std::uint32_t> audioOutputs;
    std::int64_t latencyPort = -1;
    std::vector<ScheduledValue> scheduled;
    int maxBlockSize;
    bool active = false;
};
