#include "effect/EffectCore.h"

#include "effect/BoundedCopy.h"
#include "params/ParameterTable.h"
#include "params/ValueText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

EffectCore::EffectCore(EffectHostLink& hostLink, float sampleRate, EditorFactory makeEditor)
    : link(hostLink), engine(EngineHost::create(sampleRate)), editorFactory(makeEditor)
{
}

// The editor goes first: it reads the engine until it is closed.
EffectCore::~EffectCore()
{
    shownEditor.store(nullptr, std::memory_order_release);
    editorView.reset();
    engine.reset();
}

EditorView* EffectCore::editor()
{
    if (editorView == nullptr && offersEditor())
    {
        // Out of memory the host gets no editor rather than an exception.
        try
        {
            editorView = editorFactory(*this, engine.get());
        }
        catch (const std::exception&)
        {
            editorView.reset();
        }
        if (editorView != nullptr && editorHostScale > 0.0f)
            editorView->setHostScale(editorHostScale);
        shownEditor.store(editorView.get(), std::memory_order_release);
    }
    return editorView.get();
}

void EffectCore::setEditorHostScale(float factor)
{
    editorHostScale = factor;
    if (editorView != nullptr)
        editorView->setHostScale(factor);
}

int EffectCore::latency() const
{
    return engine ? engine->latency() : StereoEngine::processedDelay(StereoEngine::kDefaultFrameSize);
}

void EffectCore::resume(float sampleRate)
{
    if (!engine)
        return;
    if (sampleRate != engine->sampleRate())
        setProgram(0, sampleRate);
    link.latencyChanged(latency());
    engine->resumeProcessing();
}

void EffectCore::restartClean(float sampleRate)
{
    if (!engine)
        return;
    resume(sampleRate);
    engine->restartClean();
}

// Audio thread: no allocation, no locks, no I/O.
void EffectCore::process(float** inputs, float** outputs, int sampleFrames)
{
    if (!engine || inputs == nullptr || outputs == nullptr || sampleFrames <= 0)
        return;
    engine->processBlock(inputs, outputs, 2, sampleFrames);
}

void EffectCore::setParameter(int index, float value)
{
    // A host's NaN or infinity is garbage, not a setting: the stored value stays.
    if (!engine || !std::isfinite(value))
        return;
    if (isParameter(index))
    {
        engine->storeParameter(index, value);
        engine->Post(index, value);
    }
    if (EditorView* view = shownEditor.load(std::memory_order_acquire))
        view->parameterChanged(index, value);
}

float EffectCore::getParameter(int index)
{
    return engine ? engine->storedParameter(index) : 0.0f;
}

float EffectCore::hostValue(int index)
{
    if (!isParameter(index))
        return 0.0f;
    const ParameterDescriptor& parameter = kParameterTable[index];
    const float stored = getParameter(index);
    if (std::isnan(stored))
        return parameter.defaultValue;
    return std::clamp(stored, parameter.minimum, parameter.maximum);
}

void EffectCore::setParameterAutomated(int index, float value)
{
    setParameter(index, value);
    link.valueEdited(index, value);
}

bool EffectCore::beginEdit(int index)
{
    return link.editBegun(index);
}

bool EffectCore::endEdit(int index)
{
    return link.editEnded(index);
}

bool EffectCore::requestEditorSize(int width, int height)
{
    return link.editorResizeRequested(width, height);
}

void EffectCore::parameterDisplay(int index, char* text, std::size_t capacity)
{
    // Hosts show this text in their own automation lanes and generic editors; an untouched
    // buffer would show whatever it held before.
    if (!engine || !isParameter(index))
    {
        copyBounded(text, "", capacity);
        return;
    }
    formatParameterValue(index, getParameter(index), text, capacity);
}

bool EffectCore::setProgram(int program, float sampleRate)
{
    if (!engine || program != 0)
        return false;
    engine->setCurrentProgramNumber(0);
    link.latencyChanged(latency());
    for (int i = 0; i < kNumParameters; ++i)
        setParameter(i, engine->storedParameter(i));
    engine->changeSampleRate(program, sampleRate);
    engine->setCurrentProgramNumber(program);
    engine->RebuildEqualiser();
    link.programChanged();
    return true;
}

void EffectCore::setProgramName(const char* name)
{
    if (!engine)
        return;
    std::lock_guard<std::mutex> lock(nameMutex);
    copyBounded(engine->currentProgram().name, name, kProgramNameSize);
}

std::string EffectCore::programName()
{
    char text[kProgramNameSize] = {};
    programName(text, sizeof(text));
    return text;
}

bool EffectCore::programName(char* text, std::size_t capacity)
{
    if (!engine)
        return false;
    std::lock_guard<std::mutex> lock(nameMutex);
    copyBounded(text, engine->currentProgram().name, capacity);
    return true;
}

std::int32_t EffectCore::saveChunk(void** data, bool isPreset)
{
    if (!engine)
        return 0;
    // The host copies from our pointer while the editor and automation keep writing: hand
    // it a snapshot, taken with the chunk loads shut out so it is never half of one.
    ProgramStore* snapshot = chunkSnapshots.take(engine->programStore(), nameMutex);
    if (snapshot == nullptr)
        return 0;
    return chunkForSaving(*snapshot, engine->currentProgramNumber(), isPreset, data);
}

bool EffectCore::restoreChunk(const void* data, std::int32_t byteSize, bool isPreset, float sampleRate)
{
    if (!engine)
        return false;
    bool taken = false;
    {
        std::lock_guard<std::mutex> lock(nameMutex);
        taken = ::restoreChunk(engine->programStore(), engine->currentProgramNumber(), data, byteSize, isPreset);
    }
    return taken && setProgram(0, sampleRate);
}

const void* EffectCore::stateToSave()
{
    void* chunk = nullptr;
    return saveChunk(&chunk, true) == kProgramChunkSize ? chunk : nullptr;
}

bool EffectCore::saveState(const StateWriter& writer)
{
    const void* state = stateToSave();
    return state != nullptr && writeAll(writer, state, kStateSize);
}

bool EffectCore::loadState(const void* bytes, std::size_t size, float sampleRate, StateLoad load)
{
    if (size != kStateSize)
        return false;
    if (load == StateLoad::OnlyWhenChanged)
    {
        const void* current = stateToSave();
        if (current != nullptr && std::memcmp(current, bytes, kStateSize) == 0)
            return true;
    }
    return restoreChunk(bytes, kProgramChunkSize, true, sampleRate);
}

bool EffectCore::loadState(const StateReader& reader, float sampleRate, StateLoad load)
{
    unsigned char state[kStateSize];
    return readExactly(reader, state, sizeof(state)) && loadState(state, sizeof(state), sampleRate, load);
}
