#include "shell/AudioEffect.h"

#include <cmath>

namespace
{

AudioEffect* effectOf(AEffect* effect)
{
    return effect == nullptr ? nullptr : static_cast<AudioEffect*>(effect->object);
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params)
    : audioMaster(master), numPrograms(programs), numParams(params)
{
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingClass;
    cEffect.processDoubleReplacing = processDoubleReplacingClass;
    setFlag(effFlagsCanReplacing, true);
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

VstIntPtr AudioEffect::dispatchEffClass(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                        void* ptr, float opt)
{
    AudioEffect* object = effectOf(effect);
    if (object == nullptr)
        return 0;
    if (opcode == effClose)
    {
        object->dispatcher(opcode, index, value, ptr, opt);
        delete object;
        return 1;
    }
    return object->dispatcher(opcode, index, value, ptr, opt);
}

void AudioEffect::processReplacingClass(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (AudioEffect* object = effectOf(effect))
        object->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::setParameterClass(AEffect* effect, VstInt32 index, float value)
{
    if (AudioEffect* object = effectOf(effect))
        object->setParameter(index, value);
}

float AudioEffect::getParameterClass(AEffect* effect, VstInt32 index)
{
    AudioEffect* object = effectOf(effect);
    return object == nullptr ? 0.0f : object->getParameter(index);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode)
    {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
        if (value < numPrograms)
            setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName:
        if (text != nullptr)
            setProgramName(text);
        return 0;
    case effGetProgramName:
        if (text != nullptr)
            getProgramName(text);
        return 0;
    case effGetParamLabel:
        if (text != nullptr)
            getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        if (text != nullptr)
            getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        if (text != nullptr)
            getParameterName(index, text);
        return 0;
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        return 0;
    case effEditGetRect:
        if (editor == nullptr || ptr == nullptr)
            return 0;
        return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen: return editor != nullptr && editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (editor != nullptr)
            editor->close();
        return 0;
    case effEditIdle:
        if (editor != nullptr)
            editor->idle();
        return 0;
    case effIdentify: return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk:
        if (ptr == nullptr)
            return 0;
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        if (ptr == nullptr)
            return 0;
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default: return 0;
    }
}

void AudioEffect::setSampleRate(float rate)
{
    if (rate > 0.0f && std::isfinite(rate))
        sampleRate.store(rate);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::getProgramName(char* name)
{
    name[0] = '\0';
}

void AudioEffect::getParameterLabel(VstInt32, char* label)
{
    label[0] = '\0';
}

void AudioEffect::getParameterDisplay(VstInt32, char* text)
{
    text[0] = '\0';
}

void AudioEffect::getParameterName(VstInt32, char* text)
{
    text[0] = '\0';
}

VstInt32 AudioEffect::getChunk(void**, bool)
{
    return 0;
}

VstInt32 AudioEffect::setChunk(void*, VstInt32, bool)
{
    return 0;
}

void AudioEffect::setNumInputs(VstInt32 inputs)
{
    std::atomic_ref<VstInt32>(cEffect.numInputs).store(inputs);
}

void AudioEffect::setNumOutputs(VstInt32 outputs)
{
    std::atomic_ref<VstInt32>(cEffect.numOutputs).store(outputs);
}

void AudioEffect::setInitialDelay(VstInt32 delay)
{
    // Hosts read the record from any thread; program changes may come from several.
    std::atomic_ref<VstInt32>(cEffect.initialDelay).store(delay);
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (audioMaster == nullptr)
        return 0;
    return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

VstInt32 AudioEffect::getMasterVersion()
{
    const VstIntPtr version = callHost(audioMasterVersion);
    return version == 0 ? 1 : static_cast<VstInt32>(version);
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}
