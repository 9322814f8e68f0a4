#include "effect/EffectCore.h"

#include "editor/EffectEditor.h"
#include "effect/BoundedCopy.h"
#include "effect/StateChunks.h"
#include "params/ParameterTable.h"
#include "params/ValueText.h"

#include <cmath>
#include <exception>

EffectCore::EffectCore(EffectHostLink& hostLink, float sampleRate)
    : link(hostLink), engine(EngineHost::create(sampleRate))
{
    createEditor();
}

void EffectCore::createEditor()
{
    // Loading the skin allocates; when memory runs out the effect comes up without an
    // editor rather than throwing into the host.
    try
    {
        effectEditor = std::make_unique<EffectEditor>(*this, engine.get());
    }
    catch (const std::exception&)
    {
        effectEditor.reset();
    }
}

// The editor goes first: it reads the engine until it is closed.
EffectCore::~EffectCore()
{
    effectEditor.reset();
    engine.reset();
}

int EffectCore::latency() const
{
    return engine ? engine->latency() : StereoEngine::kDefaultFrameSize;
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

// Audio thread: no allocation, no locks, no I/O.
void EffectCore::process(float** inputs, float** outputs, int sampleFrames)
{
    if (!engine || inputs == nullptr || outputs == nullptr || sampleFrames <= 0)
        return;
    engine->processBlock(inputs, outputs, 2, sampleFrames);
}

void EffectCore::setParameter(VstInt32 index, float value)
{
    // A host's NaN or infinity is garbage, not a setting: the stored value stays.
    if (!engine || !std::isfinite(value))
        return;
    if (isParameter(index))
    {
        engine->storeParameter(index, value);
        engine->Post(index, value);
    }
    if (effectEditor)
        effectEditor->parameterChanged(index, value);
}

float EffectCore::getParameter(VstInt32 index)
{
    return engine ? engine->storedParameter(index) : 0.0f;
}

void EffectCore::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    link.valueEdited(index, value);
}

bool EffectCore::beginEdit(VstInt32 index)
{
    return link.editBegun(index);
}

bool EffectCore::endEdit(VstInt32 index)
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
    formatParameterDisplay(index, displayValueFor(index, getParameter(index)), text, capacity);
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
