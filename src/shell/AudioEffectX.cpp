#include "shell/AudioEffectX.h"

#include <cmath>

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode)
    {
    case effProcessEvents: return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated: return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter: return text != nullptr && string2parameter(index, text) ? 1 : 0;
    case effGetProgramNameIndexed:
        return text != nullptr && getProgramNameIndexed(static_cast<VstInt32>(value), index, text) ? 1 : 0;
    case effGetInputProperties:
        return ptr != nullptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
        return ptr != nullptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory: return getPlugCategory();
    case effOfflineNotify: return offlineNotify() ? 1 : 0;
    case effOfflinePrepare: return offlinePrepare() ? 1 : 0;
    case effOfflineRun: return offlineRun() ? 1 : 0;
    case effProcessVarIo: return processVariableIo() ? 1 : 0;
    case effSetSpeakerArrangement:
        return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                     static_cast<VstSpeakerArrangement*>(ptr))
                   ? 1
                   : 0;
    case effSetBypass: return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName: return text != nullptr && getEffectName(text) ? 1 : 0;
    case effGetVendorString: return text != nullptr && getVendorString(text) ? 1 : 0;
    case effGetProductString: return text != nullptr && getProductString(text) ? 1 : 0;
    case effGetVendorVersion: return getVendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return text != nullptr ? canDo(text) : -1;
    case effGetTailSize: return getGetTailSize();
    case effGetParameterProperties: return getParameterProperties() ? 1 : 0;
    case effGetVstVersion: return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: return editorKey(opcode, index, value, opt);
    case effSetEditKnobMode: return editor != nullptr && editor->setKnobMode(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetMidiProgramName:
    case effGetMidiProgramCategory:
    case effHasMidiProgramsChanged:
    case effGetMidiKeyName: return 0;
    case effGetCurrentMidiProgram: return getCurrentMidiProgram();
    case effBeginSetProgram: return beginSetProgram() ? 1 : 0;
    case effEndSetProgram: return endSetProgram() ? 1 : 0;
    case effGetSpeakerArrangement:
        getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                              static_cast<VstSpeakerArrangement**>(ptr));
        return 0;
    case effShellGetNextPlugin: return getNextShellPlugin();
    case effStartProcess: return startProcess();
    case effStopProcess: return stopProcess();
    case effSetTotalSampleToProcess: return setTotalSampleToProcess(value);
    case effSetPanLaw: return setPanLaw() ? 1 : 0;
    case effBeginLoadBank: return beginLoadBank();
    case effBeginLoadProgram: return beginLoadProgram();
    case effSetProcessPrecision: return setProcessPrecision() ? 1 : 0;
    case effGetNumMidiInputChannels: return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels: return getNumMidiOutputChannels();
    default: break;
    }
    if (opcode < effProcessEvents)
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    return 0;
}

VstIntPtr AudioEffectX::editorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt)
{
    if (editor == nullptr)
        return 0;
    VstKeyCode key{};
    key.character = index;
    key.virt = static_cast<unsigned char>(value);
    // A host may pass anything as the modifier float; only a finite one converts safely.
    key.modifier = std::fabs(opt) < 1e9f ? static_cast<unsigned char>(static_cast<long long>(opt)) : 0;
    const bool handled = opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    return handled ? 1 : 0;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output)
{
    if (input != nullptr)
        *input = nullptr;
    if (output != nullptr)
        *output = nullptr;
    return false;
}

bool AudioEffectX::wantEvents(VstInt32 filter)
{
    return callHost(audioMasterWantMidi, 0, filter) != 0;
}

bool AudioEffectX::ioChanged()
{
    return callHost(audioMasterIOChanged) != 0;
}

bool AudioEffectX::updateDisplay()
{
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::beginEdit(VstInt32 index)
{
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index)
{
    return callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}
