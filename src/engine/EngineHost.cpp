#include "engine/EngineHost.h"

#include "engine/FloatingPointMode.h"
#include "params/EngineAmounts.h"
#include "params/ParameterTable.h"

#include <chrono>
#include <cmath>
#include <new>
#include <thread>

namespace
{

constexpr float kFadeStepPerHertz = 1e-4f;
constexpr float kInverse44100 = 2.2675737e-5f;
// How long a sample-rate change waits for the audio thread to leave its current block
// before it gives up freeing the old engine (a stalled host must never hang us).
constexpr auto kRetireWaitLimit = std::chrono::milliseconds(250);

}  // namespace

std::unique_ptr<EngineHost> EngineHost::create(float sampleRate, VectorPath path)
{
    std::unique_ptr<EngineHost> host(new (std::nothrow) EngineHost());
    if (!host)
        return nullptr;
    host->vectorPath = path;
    if (!host->start(sampleRate))
        return nullptr;
    return host;
}

EngineHost::EngineHost() = default;

EngineHost::~EngineHost()
{
    delete liveEngine.load();
}

bool EngineHost::start(float sampleRate)
{
    initialiseDefaultProgram(store.programs[0]);
    if (!(sampleRate > 0.0f))
        return false;
    // Built for the rate the effect starts at, so that its first program change, at the
    // same rate, does not build it again.
    rate = sampleRate;
    newestFrameSize = StereoEngine::frameSizeForRate(sampleRate);
    std::unique_ptr<StereoEngine> engine(new (std::nothrow) StereoEngine(
        settings, displays.meters(), displays.displaySpectrum(), displays.displayStereoImage()));
    if (!engine || !engine->Initialise(newestFrameSize, rate, vectorPath))
        return false;
    liveEngine.store(engine.release());
    return true;
}

void EngineHost::storeParameter(int index, float value)
{
    if (index < 0 || index >= kNumParameters)
        return;
    ProgramRecord& program = currentProgram();
    storeStoredFloat(program.value[index], value);
    storeStoredFloat(program.display[index], displayValueFor(index, value));
}

float EngineHost::storedParameter(int index)
{
    if (index < 0 || index >= kNumParameters)
        return 0.0f;
    return loadStoredFloat(currentProgram().value[index]);
}

void EngineHost::Post(int index, float value)
{
    changes.post(index, value);
}

void EngineHost::changeSampleRate(int programIndex, float newRate)
{
    std::lock_guard<std::mutex> lock(controlMutex);
    setCurrentProgramNumber(programIndex);
    if (!(newRate > 0.0f) || !std::isfinite(newRate) || newRate == rate)
        return;
    std::unique_ptr<StereoEngine> fresh(new (std::nothrow) StereoEngine(
        settings, displays.meters(), displays.displaySpectrum(), displays.displayStereoImage()));
    // Out of memory: keep running at the old rate; the next resume tries again.
    if (!fresh || !fresh->Initialise(StereoEngine::frameSizeForRate(newRate), newRate, vectorPath))
        return;
    // Ready before the audio thread ever sees it.
    fresh->RebuildEqualiser(currentProgram(), amounts::eqRange(storedParameter(kParamEqGain)));
    rate = newRate;
    newestFrameSize = fresh->frameSize();
    retire(liveEngine.exchange(fresh.release(), std::memory_order_seq_cst));
}

void EngineHost::retire(StereoEngine* oldEngine)
{
    const std::uint64_t seen = blockCounter.load(std::memory_order_seq_cst);
    if ((seen & 1) != 0)
    {
        const auto deadline = std::chrono::steady_clock::now() + kRetireWaitLimit;
        while (blockCounter.load(std::memory_order_acquire) == seen)
        {
            if (std::chrono::steady_clock::now() > deadline)
            {
                parkedEngines.emplace_back(oldEngine);
                return;
            }
            std::this_thread::yield();
        }
    }
    delete oldEngine;
}

float EngineHost::sampleRate() const
{
    std::lock_guard<std::mutex> lock(controlMutex);
    return rate;
}

void EngineHost::RebuildEqualiser()
{
    std::lock_guard<std::mutex> lock(controlMutex);
    StereoEngine* engine = liveEngine.load();
    // An engine that was never ready is not touched by the audio thread yet.
    if (!engine->isReady())
        engine->RebuildEqualiser(currentProgram(), amounts::eqRange(storedParameter(kParamEqGain)));
    else
        rebuildRequested.store(true, std::memory_order_release);
}

void EngineHost::resumeProcessing()
{
    displays.meters().peakLeft.store(0.0f, std::memory_order_relaxed);
    displays.meters().peakRight.store(0.0f, std::memory_order_relaxed);
    displays.meters().bassMeter.store(0.0f, std::memory_order_relaxed);
    clearRequested.store(true, std::memory_order_release);
}

void EngineHost::restartClean()
{
    resumeProcessing();
    cleanStartRequested.store(true, std::memory_order_release);
}

int EngineHost::latency() const
{
    std::lock_guard<std::mutex> lock(controlMutex);
    return StereoEngine::processedDelay(newestFrameSize);
}

// Answers whether the change alters the equaliser curve; the caller rebuilds it once for
// all the changes of a block.
bool EngineHost::applyChange(StereoEngine& engine, int index, float value)
{
    if (!std::isfinite(value))
        return false;
    if (!isParameter(index))
        return false;
    const ParameterDescriptor& parameter = kParameterTable[index];
    EngineSettings& s = settings;
    if (parameter.engineUse == EngineUse::Amount)
        s.*parameter.amountField = parameter.amount(value);
    else if (parameter.engineUse == EngineUse::BypassFade)
    {
        if (amounts::active(value) && s.mix < 1.0f)
            s.mixStep = engine.sampleRate() * kFadeStepPerHertz * kInverse44100;
        else if (!amounts::active(value) && s.mix > 0.0f)
            s.mixStep = engine.sampleRate() * -kFadeStepPerHertz * kInverse44100;
    }
    // Host automation of a curve point alone must be heard too.
    return parameter.reshapesCurve;
}

// Audio thread, after the block's changes: nothing glides in from earlier settings.
void EngineHost::startClean(StereoEngine& engine)
{
    engine.ClearAllHistory();
    EngineSettings& s = settings;
    if (s.mixStep != 0.0f)
        s.mix = s.mixStep > 0.0f ? 1.0f : 0.0f;
    s.mixStep = 0.0f;
    s.shape = s.shapeTarget;
}

// Audio thread: no allocation, no locks, no I/O.
void EngineHost::processBlock(float** inputs, float** outputs, int numChannels, int sampleFrames)
{
    blockCounter.fetch_add(1, std::memory_order_seq_cst);
    StereoEngine* engine = liveEngine.load(std::memory_order_seq_cst);
    if (engine->isReady() && numChannels == 2)
    {
        bool curveChanged = false;
        changes.drain([&](int index, float value) { curveChanged |= applyChange(*engine, index, value); });
        // At most one rebuild per block, however many curve changes arrived.
        if (rebuildRequested.exchange(false, std::memory_order_acq_rel) || curveChanged)
            engine->RebuildEqualiser(currentProgram(), settings.eqRange);
        if (clearRequested.exchange(false, std::memory_order_acq_rel))
            engine->ClearHistory();
        if (cleanStartRequested.exchange(false, std::memory_order_acq_rel))
            startClean(*engine);
        enableDenormalFlushing();

        const float peakLeftBefore = displays.meters().peakLeft.load(std::memory_order_relaxed);
        const float peakRightBefore = displays.meters().peakRight.load(std::memory_order_relaxed);
        float peakLeft = peakLeftBefore;
        float peakRight = peakRightBefore;
        engine->ProcessBlock(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, peakLeft, peakRight);
        // The peaks only rise here; the editor lowers them.
        if (peakLeft > peakLeftBefore)
            displays.meters().peakLeft.store(peakLeft, std::memory_order_relaxed);
        if (peakRight > peakRightBefore)
            displays.meters().peakRight.store(peakRight, std::memory_order_relaxed);
    }
    blockCounter.fetch_add(1, std::memory_order_release);
}
