#pragma once

#include "engine/EngineHost.h"
#include "shell/AudioEffectX.h"
#include "shell/ChunkSnapshots.h"
#include "vst/EditorEffect.h"

#include <atomic>
#include <memory>
#include <mutex>

// The concrete effect: identity, the 42 parameters, the single program, chunks, and the
// link from the host's calls to the engine.
class EffectVST final : public AudioEffectX, public EditorEffect
{
public:
    explicit EffectVST(audioMasterCallback host);
    ~EffectVST() override;

    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setParameterAutomated(VstInt32 index, float value) override;
    bool beginEdit(VstInt32 index) override;
    bool endEdit(VstInt32 index) override;
    bool requestEditorSize(int width, int height) override;
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

    bool hasEngine() const { return engineReady != 0; }
    EngineHost* engineHost() { return engine.get(); }

private:
    AEffEditor* createEditor();
    // The engine's latency; 2048 when there is no engine.
    VstInt32 engineLatency() const;

    std::unique_ptr<EngineHost> engine;
    VstInt32 engineReady = 0;
    std::atomic<VstInt32> inputChannels{2};
    std::atomic<VstInt32> outputChannels{2};
    // The program name and chunk loads: written and read by host threads only.
    std::mutex nameMutex;
    ChunkSnapshots chunkSnapshots;
};
