#pragma once

#include "shell/AudioEffect.h"

// Adds the VST 2.x opcodes from 25 upwards as virtual operations, and the extended
// requests an effect sends to its host.
class AudioEffectX : public AudioEffect
{
public:
    using AudioEffect::AudioEffect;

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    virtual VstInt32 processEvents(VstEvents*) { return 0; }
    virtual bool canParameterBeAutomated(VstInt32) { return true; }
    virtual bool string2parameter(VstInt32, char*) { return false; }
    virtual bool getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
    virtual bool getInputProperties(VstInt32, VstPinProperties*) { return false; }
    virtual bool getOutputProperties(VstInt32, VstPinProperties*) { return false; }
    virtual VstPlugCategory getPlugCategory() { return kPlugCategEffect; }
    virtual bool offlineNotify() { return false; }
    virtual bool offlinePrepare() { return false; }
    virtual bool offlineRun() { return false; }
    virtual bool processVariableIo() { return false; }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) { return false; }
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
    virtual bool setBypass(bool) { return false; }
    virtual bool getEffectName(char*) { return false; }
    virtual bool getVendorString(char*) { return false; }
    virtual bool getProductString(char*) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstIntPtr vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
    virtual VstInt32 canDo(const char*) { return 0; }
    virtual VstInt32 getGetTailSize() { return 0; }
    virtual bool getParameterProperties() { return false; }
    virtual VstInt32 getVstVersion() { return 2400; }
    virtual VstInt32 getCurrentMidiProgram() { return -1; }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual VstInt32 getNextShellPlugin() { return 0; }
    virtual VstInt32 startProcess() { return 0; }
    virtual VstInt32 stopProcess() { return 0; }
    virtual VstIntPtr setTotalSampleToProcess(VstIntPtr value) { return value; }
    virtual bool setPanLaw() { return false; }
    virtual VstInt32 beginLoadBank() { return 0; }
    virtual VstInt32 beginLoadProgram() { return 0; }
    virtual bool setProcessPrecision() { return false; }
    virtual VstInt32 getNumMidiInputChannels() { return 0; }
    virtual VstInt32 getNumMidiOutputChannels() { return 0; }

    // Requests to the host; each answers 0 or false without a host callback.
    virtual bool wantEvents(VstInt32 filter = 1);
    virtual bool ioChanged();
    virtual bool updateDisplay();
    virtual bool beginEdit(VstInt32 index);
    virtual bool endEdit(VstInt32 index);
    // The editor's window to width x height pixels (audioMasterSizeWindow); true when the
    // host did it.
    virtual bool sizeWindow(VstInt32 width, VstInt32 height);

private:
    VstIntPtr editorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt);
};
