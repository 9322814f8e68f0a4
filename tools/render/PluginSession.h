#pragma once

#include "ParameterLookup.h"

#include <memory>
#include <string>
#include <vector>

// One effect from a plug-in module file, driven offline the way a host drives it, whatever
// its format: stereo towards the caller.
class PluginSession
{
public:
    virtual ~PluginSession() = default;

    virtual std::vector<ParameterInfo> parameters() const = 0;
    // Takes effect from the next block on.
    virtual void setParameter(int index, float value) = 0;
    // Takes effect `offset` samples into the next process call, sample-accurately.
    virtual void scheduleParameter(int index, float value, int offset) = 0;

    // Chunks (a CLAP plug-in's state) are opaque bytes; loadChunk answers whether the effect
    // reported taking it.
    virtual bool loadChunk(const std::vector<unsigned char>& bytes) = 0;
    virtual std::vector<unsigned char> saveChunk() const = 0;

    virtual void resume() = 0;
    virtual void suspend() = 0;
    // The latency the effect reports; read it after resume, where effects settle it.
    virtual int latency() const = 0;
    virtual int blockSize() const = 0;

    // frames must not exceed blockSize().
    virtual void process(const float* left, const float* right, float* outLeft, float* outRight, int frames) = 0;
};

// A CLAP session for a ".clap" file, a VST3 one for a ".vst3" bundle folder or module file, on
// Linux an LV2 one for a ".lv2" bundle folder, a VST 2.4 one for any other. Throws RenderFailure when
// the module or its effect is unusable.
std::unique_ptr<PluginSession> openPluginSession(const std::string& modulePath, int sampleRate, int blockSize);
