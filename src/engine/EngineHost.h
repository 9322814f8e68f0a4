#pragma once

#include "engine/EngineDisplays.h"
#include "engine/EngineSettings.h"
#include "engine/ParameterChangeQueue.h"
#include "engine/ProgramRecord.h"
#include "engine/StereoEngine.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// Everything the effect reaches the engine through: the program store, the parameter
// change queue, the published meters and the StereoEngine itself.
//
// Threads: the control side (host UI/automation threads, the editor) calls everything but
// processBlock; the audio thread calls processBlock. The audio thread never locks, waits or
// allocates. A sample-rate change builds a new StereoEngine aside and swaps it in; the old
// one is freed only after the audio thread has left any block that might still use it.
class EngineHost
{
public:
    // Builds the engine for sampleRate; `path` allows AVX or not. Null when the rate is not
    // positive or the engine's memory could not be had.
    static std::unique_ptr<EngineHost> create(float sampleRate, VectorPath path = VectorPath::Widest);
    ~EngineHost();

    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;

    ProgramStore& programStore() { return store; }
    ProgramRecord& currentProgram() { return store.programs[currentProgramNumber()]; }
    int currentProgramNumber() const { return currentProgramIndex.load(std::memory_order_relaxed); }
    void setCurrentProgramNumber(int program) { currentProgramIndex.store(program, std::memory_order_relaxed); }

    // Stores a normalised value and its display value in the current program.
    void storeParameter(int index, float value);
    float storedParameter(int index);

    // Queues a change for the audio thread; it takes effect at the start of the next block.
    void Post(int index, float value);

    // Re-initialises the engine for a new positive rate that differs from the current one.
    void changeSampleRate(int programIndex, float newRate);
    float sampleRate() const;

    // Rebuilds the equaliser from the stored points (on the audio thread, before its next
    // block, once the engine runs; at once before that).
    void RebuildEqualiser();

    // The host switched processing on: zero the peak meters and the signal history.
    void resumeProcessing();
    // The next block starts as a freshly created engine's would with the values set so far:
    // no history at all, and the bypass fade and Shape already at their targets.
    void restartClean();

    // The latency in samples: how late the newest engine's processed signal arrives.
    int latency() const;

    EngineMeters& meters() { return displays.meters(); }
    SpectrumHandOff& displaySpectrum() { return displays.displaySpectrum(); }
    StereoImageHandOff& displayStereoImage() { return displays.displayStereoImage(); }
    void setDisplayWanted(bool wanted) { displays.setDisplayWanted(wanted); }
    // What the editor reads: the above, and whether an editor wants them.
    EngineDisplays& liveDisplays() { return displays; }

    // Audio thread. No allocation, locks or I/O.
    void processBlock(float** inputs, float** outputs, int numChannels, int sampleFrames);

private:
    EngineHost();
    bool start(float sampleRate);
    bool applyChange(StereoEngine& engine, int index, float value);
    void startClean(StereoEngine& engine);
    void retire(StereoEngine* oldEngine);

    ProgramStore store{};
    std::atomic<int> currentProgramIndex{0};
    ParameterChangeQueue changes;
    EngineSettings settings;  // audio thread only
    EngineDisplays displays;

    std::atomic<StereoEngine*> liveEngine{nullptr};
    std::atomic<std::uint64_t> blockCounter{0};  // odd while the audio thread is in a block
    std::atomic<bool> rebuildRequested{false};
    std::atomic<bool> clearRequested{false};
    std::atomic<bool> cleanStartRequested{false};

    mutable std::mutex controlMutex;  // serialises control-side engine changes only
    float rate = 0.0f;
    VectorPath vectorPath = VectorPath::Widest;
    int newestFrameSize = StereoEngine::kDefaultFrameSize;
    std::vector<std::unique_ptr<StereoEngine>> parkedEngines;  // never freed while maybe in use
};
