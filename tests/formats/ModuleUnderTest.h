#pragma once

#include "host/VstSplitRender.h"
#include "support/TestSignals.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One instance of a format's module, loaded from the built file and driven the way that
// format's hosts drive it, so that one suite holds every format to the same behaviour.
class ModuleUnderTest
{
public:
    struct Setting
    {
        std::uint32_t id;
        float value;
    };

    virtual ~ModuleUnderTest() = default;

    // Normalised values given while nothing is processing, as the format's hosts give them.
    virtual void setValues(const std::vector<Setting>& settings) = 0;
    // A parameter's normalised value as the format's host reads it back.
    virtual double value(std::uint32_t id) = 0;
    // The state a host of this format keeps, saved; or loaded, true when it was taken.
    virtual std::optional<std::vector<unsigned char>> saveState() = 0;
    virtual bool loadState(const std::vector<unsigned char>& bytes) = 0;

    // The factory presets the format's hosts find, by name; one of them loaded.
    virtual std::vector<std::string> factoryPresetNames() = 0;
    virtual bool loadFactoryPreset(const std::string& name) = 0;

    // Ready to process at the rate the instance was made for, in blocks up to `maxBlock`.
    virtual void start(std::size_t maxBlock) = 0;
    // Stopped and started again, at another rate or the same, as the format's hosts do it.
    virtual void restartAt(double sampleRate, std::size_t maxBlock) = 0;
    // The latency the format reports once started.
    virtual std::uint32_t latency() = 0;
    // The signal processed in place in blocks of `blockSize`, each change given in its
    // block: at its offset where the format carries offsets, else before the block.
    virtual void process(StereoSignal& signal, std::size_t blockSize, const std::vector<BlockChange>& changes) = 0;

    // Told, while processing, when the plug-in's own calls for a block follow (true) and when
    // the host's own work begins again (false): for a case that watches only the plug-in.
    std::function<void(bool)> onPluginCalls;

protected:
    void pluginCallsFollow(bool follow) const
    {
        if (onPluginCalls)
            onPluginCalls(follow);
    }
};

// A row of the table: one format, what it can express, and how to make its instances.
struct FormatRow
{
    // As test names and reference files show it.
    const char* name;
    std::unique_ptr<ModuleUnderTest> (*make)(double sampleRate);
    // The VST 2.4 module itself, which the other rows are compared with.
    bool isTheReference;
    // Changes take effect at their sample within a block (else at the block's start).
    bool sampleAccurateChanges;
    // Started again at the rate it had, it forgets what it played (VST 2.4's resume keeps
    // the phase running on, as a host's transport restarting wants).
    bool restartsCleanAtTheSameRate;
    // An instance can be started again at another rate (else a host makes a new one).
    bool restartsAtAnotherRate;
    // The module itself offers factory presets (else the host loads the program files).
    bool offersFactoryPresets;
    // Older program chunks a host may have kept are taken too (VST 2.4's 364-byte form).
    bool takesOlderProgramForm;
};

std::unique_ptr<ModuleUnderTest> makeVstModule(double sampleRate);
std::unique_ptr<ModuleUnderTest> makeClapModule(double sampleRate);
std::unique_ptr<ModuleUnderTest> makeVst3Module(double sampleRate);
std::unique_ptr<ModuleUnderTest> makeLv2Module(double sampleRate);
