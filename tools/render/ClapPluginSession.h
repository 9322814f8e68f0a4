#pragma once

#include "ClapModule.h"
#include "ClapPluginInstance.h"
#include "PluginSession.h"

#include <memory>
#include <string>
#include <vector>

// The first plug-in of a CLAP module file, driven offline as a CLAP host drives it:
// initialised, activated at the file's rate, processing blocks with one stereo port each
// way. Parameter values reach it as events of the next block (through a flush while it is
// not active); chunks are its state stream.
class ClapPluginSession final : public PluginSession
{
public:
    ClapPluginSession(const std::string& modulePath, int sampleRate, int blockSize);
    ~ClapPluginSession() override;

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
    std::unique_ptr<ClapModule> module;
    std::unique_ptr<ClapPluginInstance> plugin;
    double sampleRate;
    int maxBlockSize;
};
