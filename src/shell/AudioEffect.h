#pragma once

#include "vst/AEffEditor.h"
#include "vst/VstAbi.h"

#include <atomic>

// Owns the AEffect record the host sees and turns the host's dispatcher opcodes 0..24 into
// virtual operations. The host may call in from its UI, automation and audio threads at
// once, so values those threads share are atomics.
class AudioEffect
{
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float rate) { sampleRate.store(rate); }
    virtual void setBlockSize(VstInt32 size) { blockSize.store(size); }
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double**, double**, VstInt32) {}

    virtual void setParameter(VstInt32, float) {}
    virtual float getParameter(VstInt32) { return 0.0f; }
    virtual void setParameterAutomated(VstInt32 index, float value);

    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgram(VstInt32 program) { curProgram = program; }
    virtual void setProgramName(const char*) {}
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(VstInt32, char* label);
    virtual void getParameterDisplay(VstInt32, char* text);
    virtual void getParameterName(VstInt32, char* text);
    virtual VstInt32 getChunk(void** data, bool isPreset);
    virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);

    virtual void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(VstInt32 inputs);
    virtual void setNumOutputs(VstInt32 outputs);
    virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
    virtual void setInitialDelay(VstInt32 delay);

    virtual AEffEditor* getEditor() { return editor; }
    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate.load(); }
    virtual VstInt32 getBlockSize() { return blockSize.load(); }

    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();

protected:
    // Sends a request to the host; 0 when there is no host callback.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    void setFlag(VstInt32 flag, bool state);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    std::atomic<float> sampleRate{44100.0f};
    std::atomic<VstInt32> blockSize{1024};
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram = 0;
    AEffect cEffect{};

private:
    static VstIntPtr dispatchEffClass(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                      void* ptr, float opt);
    static void processClass(AEffect*, float**, float**, VstInt32) {}
    static void processReplacingClass(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
    static void processDoubleReplacingClass(AEffect*, double**, double**, VstInt32) {}
    static void setParameterClass(AEffect* effect, VstInt32 index, float value);
    static float getParameterClass(AEffect* effect, VstInt32 index);
};
