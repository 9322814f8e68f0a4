#pragma once

#include "ParameterLookup.h"
#include "vst/VstAbi.h"

#include <string>
#include <vector>

// One effect from a VST 2.4 module file, driven offline the way a host drives it: created
// through VSTPluginMain, opened, given the sample rate and block size, resumed, fed blocks,
// suspended and closed. Stereo towards the caller whatever the effect's channel counts.
class PluginSession
{
  public:
    // Throws RenderFailure when the module or its effect is unusable.
    PluginSession(const std::string& modulePath, int sampleRate, int blockSize);
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    std::vector<ParameterInfo> parameters() const;
    void setParameter(int index, float value);

    // Chunks are opaque bytes; loadChunk answers whether the effect reported taking it.
    bool loadChunk(const std::vector<unsigned char>& bytes);
    std::vector<unsigned char> saveChunk() const;

    void resume();
    void suspend();
    // The latency the effect reports; read it after resume, where effects settle it.
    int latency() const { return effect->initialDelay; }
    int blockSize() const { return maxBlockSize; }

    // frames must not exceed blockSize().
    void process(const float* left, const float* right, float* outLeft, float* outRight, int frames);

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
};
