#include "shell/EffectVST.h"

#include "VantorVersion.h"
#include "editor/EffectEditor.h"
#include "params/ParameterTable.h"
#include "params/ValueText.h"
#include "shell/HostStrings.h"
#include "shell/StateChunks.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

namespace
{

constexpr VstInt32 kNumPrograms = 1;
constexpr VstInt32 kVendorVersion = kVantorVendorVersion;
constexpr VstInt32 kChannels = 2;
constexpr const char* kVendorName = "Brackwel";
constexpr const char* kProductName = "Vantor Pro";

}  // namespace

EffectVST::EffectVST(audioMasterCallback host) : AudioEffectX(host, kNumPrograms, kNumParameters)
{
    setNumInputs(kChannels);
    setNumOutputs(kChannels);
    ioChanged();

    engine = EngineHost::create(getSampleRate());
    engineReady = engine ? 1 : 0;

    editor = createEditor();
    setFlag(effFlagsHasEditor, editor != nullptr);

    setUniqueID(fourCharCode('V', 'n', 'T', 'q'));
    canProcessReplacing();
    programsAreChunks();
    setInitialDelay(engineLatency());
    if (engineReady)
        setProgram(0);
}

AEffEditor* EffectVST::createEditor()
{
    // Loading the skin allocates; when memory runs out the effect comes up without an
    // editor rather than throwing into the host.
    try
    {
        return new EffectEditor(*this, engine.get());
    }
    catch (const std::exception&)
    {
        return nullptr;
    }
}

EffectVST::~EffectVST()
{
    delete editor;
    editor = nullptr;
    engine.reset();
}

VstInt32 EffectVST::engineLatency() const
{
    return engine ? engine->latency() : StereoEngine::kDefaultFrameSize;
}

void EffectVST::resume()
{
    if (engineReady)
    {
        if (getSampleRate() != engine->sampleRate())
            setProgram(curProgram);
        setInitialDelay(engineLatency());
        engine->resumeProcessing();
    }
    wantEvents(1);
}

// Audio thread: no allocation, no locks, no I/O.
void EffectVST::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (!engineReady || inputChannels.load(std::memory_order_relaxed) != kChannels ||
        outputChannels.load(std::memory_order_relaxed) != kChannels)
        return;
    if (inputs == nullptr || outputs == nullptr || sampleFrames <= 0)
        return;
    engine->processBlock(inputs, outputs, kChannels, sampleFrames);
}

void EffectVST::setParameter(VstInt32 index, float value)
{
    // A host's NaN or infinity is garbage, not a setting: the stored value stays.
    if (!engineReady || !std::isfinite(value))
        return;
    if (index >= 0 && index < kNumParameters)
    {
        engine->storeParameter(index, value);
        engine->Post(index, value);
    }
    if (editor != nullptr)
        editor->parameterChanged(index, value);
}

void EffectVST::setParameterAutomated(VstInt32 index, float value)
{
    AudioEffectX::setParameterAutomated(index, value);
}

bool EffectVST::beginEdit(VstInt32 index)
{
    return AudioEffectX::beginEdit(index);
}

bool EffectVST::endEdit(VstInt32 index)
{
    return AudioEffectX::endEdit(index);
}

bool EffectVST::requestEditorSize(int width, int height)
{
    return sizeWindow(width, height);
}

float EffectVST::getParameter(VstInt32 index)
{
    return engineReady ? engine->storedParameter(index) : 0.0f;
}

void EffectVST::setProgram(VstInt32 program)
{
    if (!engineReady || program != 0)
        return;
    curProgram = 0;
    engine->setCurrentProgramNumber(0);
    setInitialDelay(engineLatency());
    for (int i = 0; i < kNumParameters; ++i)
        setParameter(i, engine->storedParameter(i));
    engine->changeSampleRate(program, getSampleRate());
    engine->setCurrentProgramNumber(program);
    engine->RebuildEqualiser();
    updateDisplay();
}

void EffectVST::setProgramName(const char* name)
{
    if (!engineReady)
        return;
    std::lock_guard<std::mutex> lock(nameMutex);
    copyBounded(engine->currentProgram().name, name, kProgramNameSize);
}

void EffectVST::getProgramName(char* name)
{
    if (!engineReady)
    {
        copyBounded(name, "Default", kHostProgramNameSize);
        return;
    }
    std::lock_guard<std::mutex> lock(nameMutex);
    copyBounded(name, engine->currentProgram().name, kHostProgramNameSize);
}

void EffectVST::getParameterLabel(VstInt32 index, char* label)
{
    copyBounded(label, parameterLabel(index), kHostParameterTextSize);
}

void EffectVST::getParameterDisplay(VstInt32 index, char* text)
{
    // Hosts show this text in their own automation lanes and generic editors; an untouched
    // buffer would show whatever it held before.
    if (!engineReady || index < 0 || index >= kNumParameters)
    {
        copyBounded(text, "", kVstMaxParamStrLen);
        return;
    }
    formatParameterDisplay(index, displayValueFor(index, getParameter(index)), text, kVstMaxParamStrLen);
}

void EffectVST::getParameterName(VstInt32 index, char* text)
{
    if (!engineReady)
        copyBounded(text, "Par", kHostParameterTextSize);
    else if (index >= 0 && index < kNumParameters)
        copyBounded(text, kParameterTable[index].name, kHostParameterTextSize);
}

VstInt32 EffectVST::getChunk(void** data, bool isPreset)
{
    if (!engineReady)
        return 0;
    // The host copies from our pointer while the editor and automation keep writing: hand
    // it a snapshot, taken with the chunk loads shut out so it is never half of one.
    ProgramStore* snapshot = chunkSnapshots.take(engine->programStore(), nameMutex);
    if (snapshot == nullptr)
        return 0;
    return chunkForSaving(*snapshot, engine->currentProgramNumber(), isPreset, data);
}

VstInt32 EffectVST::setChunk(void* data, VstInt32 byteSize, bool isPreset)
{
    if (!engineReady)
        return 0;
    bool taken = false;
    {
        std::lock_guard<std::mutex> lock(nameMutex);
        taken = restoreChunk(engine->programStore(), engine->currentProgramNumber(), data, byteSize, isPreset);
    }
    if (!taken)
        return 0;
    setProgram(curProgram);
    return 1;
}

bool EffectVST::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
    if (!engineReady)
    {
        copyBounded(text, "none", kHostProgramNameSize);
        return true;
    }
    if (index != 0)
        return false;
    std::lock_guard<std::mutex> lock(nameMutex);
    copyBounded(text, engine->programStore().programs[0].name, kHostProgramNameSize);
    return true;
}

namespace
{

void describePin(VstPinProperties* properties, const char* prefix, VstInt32 index)
{
    std::snprintf(properties->label, sizeof(properties->label), "%s %1d", prefix, static_cast<int>(index + 1));
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
}

}  // namespace

bool EffectVST::getInputProperties(VstInt32 index, VstPinProperties* properties)
{
    if (index < 0 || index > 1)
        return false;
    describePin(properties, "VNi", index);
    properties->arrangementType = kSpeakerArrStereo;
    return true;
}

bool EffectVST::getOutputProperties(VstInt32 index, VstPinProperties* properties)
{
    if (index < 0 || index > 1)
        return false;
    describePin(properties, "VNo", index);
    return true;
}

bool EffectVST::setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output)
{
    if (input == nullptr || output == nullptr)
        return false;
    if (input->numChannels != inputChannels.load() || output->numChannels != outputChannels.load())
    {
        setNumInputs(input->numChannels);
        setNumOutputs(output->numChannels);
        ioChanged();
    }
    inputChannels.store(input->numChannels);
    outputChannels.store(output->numChannels);
    return true;
}

VstInt32 EffectVST::processEvents(VstEvents*)
{
    return 1;
}

bool EffectVST::getVendorString(char* text)
{
    copyBounded(text, kVendorName, kVstMaxVendorStrLen);
    return true;
}

bool EffectVST::getProductString(char* text)
{
    copyBounded(text, kProductName, kVstMaxProductStrLen);
    return true;
}

VstInt32 EffectVST::getVendorVersion()
{
    return kVendorVersion;
}

VstInt32 EffectVST::canDo(const char* text)
{
    static constexpr const char* kCapabilities[] = {"receiveVstEvents", "receiveVstMidiEvent", "sendVstEvents",
                                                    "acceptIOChanges", "supportsViewDpiScaling"};
    for (const char* capability : kCapabilities)
    {
        if (std::strcmp(text, capability) == 0)
            return 1;
    }
    return -1;
}

// Hosts that scale their own interface announce the factor for ours this way, before or
// after the editor opens.
VstIntPtr EffectVST::vendorSpecific(VstInt32 index, VstIntPtr value, void*, float opt)
{
    if (index != fourCharCode('P', 'r', 'e', 'S') || value != fourCharCode('A', 'e', 'C', 's'))
        return 0;
    auto* scalable = dynamic_cast<EffectEditor*>(editor);
    if (scalable == nullptr || !std::isfinite(opt))
        return 0;
    scalable->setHostScale(opt);
    return 1;
}
