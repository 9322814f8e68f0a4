#pragma once

#include "ModuleLoader.h"
#include "vst/VstAbi.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

// A small VST 2.4 host for black-box tests: loads the built module file exactly as a DAW
// does and records every request the effect sends back.

struct HostCall
{
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

class HostRecorder
{
public:
    static HostRecorder& instance();

    void record(const HostCall& call);
    std::vector<HostCall> callsFor(AEffect* effect, VstInt32 opcode);
    // The calls with any of these opcodes, in the order they came.
    std::vector<HostCall> callsFor(AEffect* effect, const std::vector<VstInt32>& opcodes);
    void clear();

    std::atomic<VstIntPtr> versionAnswer{2400};
    // Whether the host gives the editor the window size it asks for.
    std::atomic<VstIntPtr> sizeWindowAnswer{1};

private:
    std::mutex mutex;
    std::vector<HostCall> calls;
};

VstIntPtr recordingHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt);

// The module named by the VANTOR_MODULE environment variable, loaded once per process.
class PluginModule
{
public:
    static PluginModule& shared();

    bool loaded() const { return entry != nullptr; }
    PluginEntry mainEntry() const { return entry; }
    PluginEntry legacyMainEntry() const { return legacyEntry; }
    const std::string& path() const { return modulePath; }
    const std::string& error() const { return loadError; }

private:
    PluginModule();

    std::string modulePath;
    std::string loadError;
    PluginEntry entry = nullptr;
    PluginEntry legacyEntry = nullptr;
};

// One effect instance created through the module's entry point; closed on destruction.
class EffectInstance
{
public:
    EffectInstance();
    ~EffectInstance();
    EffectInstance(const EffectInstance&) = delete;
    EffectInstance& operator=(const EffectInstance&) = delete;

    AEffect* effect() const { return aeffect; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    std::string text(VstInt32 opcode, VstInt32 index = 0) const;
    void setParameter(VstInt32 index, float value) const { aeffect->setParameter(aeffect, index, value); }
    float getParameter(VstInt32 index) const { return aeffect->getParameter(aeffect, index); }
    std::vector<unsigned char> chunk(bool isPreset) const;
    VstIntPtr restore(const std::vector<unsigned char>& bytes, bool isPreset) const;
    void resumeAt(float sampleRate, VstInt32 blockSize = 512) const;
    void process(std::vector<float>& left, std::vector<float>& right) const;
    // Closes now (the destructor then does nothing); answers effClose's result.
    VstIntPtr close();

private:
    AEffect* aeffect = nullptr;
};
