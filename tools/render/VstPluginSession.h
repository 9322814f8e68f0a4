#pragma once

#include "PluginSession.h"
#include "vst/VstAbi.h"

#include <string>
#include <vector>

// One effect from a VST 2.4 module file, driven offline the way a host drives it: created
// through VSTPluginMain, opened, given the sample rate and block size, resumed, fed blocks,
// suspended and closed. Stereo towards the caller whatever the effect's channel counts.
class VstPluginSession final : public PluginSession
{
public:
    // Throws RenderFailure when the module or its effect is unusable.
    VstPluginSession(const std::string& modulePath, int sampleRate, int blockSize);
    ~VstPluginSession() override;

    std::vector<ParameterInfo> parameters() const override;
    void setParameter(int index, float value) override;
    // The block is split at the offset, as a VST 2.4 host splits it for a change inside it.
    void scheduleParameter(int index, float value, int offset) override;
    bool loadChunk(const std::vector<unsigned char>& bytes) override;
    std::vector<unsigned char> saveChunk() const override;
    void resume() override;
    void suspend() override;
    int latency() const override { return effect->initialDelay; }
    int blockSize() const override { return maxBlockSize; }
    void process(const float* left, const float* right, float* outLeft, float* outRight, int frames) override;

private:
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    void requireChunks() const;

    AEffect* effect = nullptr;
    int maxBlockSize = 0;
    bool resumed = false;
    std::vector<std::vector<float>> inputs;
    std::vector<std::vector<float>> outputs;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;

    struct ScheduledChange
    {
        int offset;
        int index;
        float value;
    };
    std::vector<ScheduledChange> scheduled;  // for the next process call, in offset order
};
