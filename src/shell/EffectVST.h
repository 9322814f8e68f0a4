#pragma once

#include "effect/EffectCore.h"
#include "effect/EffectHostLink.h"
#include "shell/AudioEffectX.h"
#include "shell/VstEditorAdapter.h"

#include <atomic>

// The effect as a VST 2.4 host sees it: identity, the 42 parameters, the single program,
// chunks, pins and speaker arrangements, turned into calls of the format-independent effect.
class EffectVST final : public AudioEffectX, private EffectHostLink
{
public:
    explicit EffectVST(audioMasterCallback host);
    ~EffectVST() override;

    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(const char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override;
    VstInt32 processEvents(VstEvents* events) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 canDo(const char* text) override;
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    bool hasEngine() const { return core.hasEngine(); }
    EngineHost* engineHost() { return core.engineHost(); }

private:
    // EffectHostLink: the requests a VST 2.4 host hears.
    void latencyChanged(int samples) override;
    void programChanged() override;
    bool editBegun(int index) override;
    void valueEdited(int index, float value) override;
    bool editEnded(int index) override;
    bool editorResizeRequested(int width, int height) override;

    EffectCore core;
    VstEditorAdapter editorAdapter{core};
    std::atomic<VstInt32> inputChannels{2};
    std::atomic<VstInt32> outputChannels{2};
};
