#include "shell/EffectVST.h"

#include "editor/EffectEditor.h"
#include "effect/BoundedCopy.h"
#include "identity/EffectIdentity.h"
#include "params/ParameterTable.h"
#include "params/ValueText.h"
#include "shell/HostStrings.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{

constexpr VstInt32 kNumPrograms = 1;
constexpr VstInt32 kChannels = 2;

constexpr VstInt32 uniqueIdOf(const char* text)
{
    return fourCharCode(text[0], text[1], text[2], text[3]);
}

}  // namespace

EffectVST::EffectVST(audioMasterCallback host)
    : AudioEffectX(host, kNumPrograms, kNumParameters), core(*this, getSampleRate(), EffectEditor::make)
{
    setNumInputs(kChannels);
    setNumOutputs(kChannels);
    ioChanged();

    // The effect owns its editor, made when the host first asks for it; the base class only
    // reaches it.
    editor = core.offersEditor() ? &editorAdapter : nullptr;
    setFlag(effFlagsHasEditor, editor != nullptr);

    setUniqueID(uniqueIdOf(kEffectIdentity.vst2UniqueId));
    canProcessReplacing();
    programsAreChunks();
    setInitialDelay(core.latency());
    setProgram(0);
}

EffectVST::~EffectVST()
{
    editor = nullptr;
}

void EffectVST::resume()
{
    core.resume(getSampleRate());
    wantEvents(1);
}

// Audio thread: no allocation, no locks, no I/O.
void EffectVST::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (inputChannels.load(std::memory_order_relaxed) != kChannels ||
        outputChannels.load(std::memory_order_relaxed) != kChannels)
        return;
    core.process(inputs, outputs, sampleFrames);
}

void EffectVST::setParameter(VstInt32 index, float value)
{
    core.setParameter(index, value);
}

float EffectVST::getParameter(VstInt32 index)
{
    return core.getParameter(index);
}

void EffectVST::setProgram(VstInt32 program)
{
    if (core.setProgram(program, getSampleRate()))
        curProgram = program;
}

void EffectVST::setProgramName(const char* name)
{
    core.setProgramName(name);
}

void EffectVST::getProgramName(char* name)
{
    if (!core.programName(name, kHostProgramNameSize))
        copyBounded(name, "Default", kHostProgramNameSize);
}

void EffectVST::getParameterLabel(VstInt32 index, char* label)
{
    copyBounded(label, parameterLabel(index), kHostParameterTextSize);
}

void EffectVST::getParameterDisplay(VstInt32 index, char* text)
{
    core.parameterDisplay(index, text, kVstMaxParamStrLen);
}

void EffectVST::getParameterName(VstInt32 index, char* text)
{
    if (!core.hasEngine())
        copyBounded(text, "Par", kHostParameterTextSize);
    else if (isParameter(index))
        copyBounded(text, kParameterTable[index].name, kHostParameterTextSize);
}

VstInt32 EffectVST::getChunk(void** data, bool isPreset)
{
    return core.saveChunk(data, isPreset);
}

VstInt32 EffectVST::setChunk(void* data, VstInt32 byteSize, bool isPreset)
{
    return core.restoreChunk(data, byteSize, isPreset, getSampleRate()) ? 1 : 0;
}

void EffectVST::latencyChanged(int samples)
{
    setInitialDelay(samples);
}

void EffectVST::programChanged()
{
    updateDisplay();
}

bool EffectVST::editBegun(int index)
{
    return beginEdit(index);
}

void EffectVST::valueEdited(int index, float value)
{
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

bool EffectVST::editEnded(int index)
{
    return endEdit(index);
}

bool EffectVST::editorResizeRequested(int width, int height)
{
    return sizeWindow(width, height);
}

bool EffectVST::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
    if (!core.hasEngine())
    {
        copyBounded(text, "none", kHostProgramNameSize);
        return true;
    }
    return index == 0 && core.programName(text, kHostProgramNameSize);
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
    copyBounded(text, kEffectIdentity.vendor, kVstMaxVendorStrLen);
    return true;
}

bool EffectVST::getProductString(char* text)
{
    copyBounded(text, kEffectIdentity.product, kVstMaxProductStrLen);
    return true;
}

VstInt32 EffectVST::getVendorVersion()
{
    return kEffectIdentity.versionNumber;
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
    if (!core.offersEditor() || !std::isfinite(opt))
        return 0;
    core.setEditorHostScale(opt);
    return 1;
}
