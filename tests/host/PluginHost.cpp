#include "PluginHost.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

HostRecorder& HostRecorder::instance()
{
    static HostRecorder recorder;
    return recorder;
}

void HostRecorder::record(const HostCall& call)
{
    std::lock_guard<std::mutex> lock(mutex);
    calls.push_back(call);
}

std::vector<HostCall> HostRecorder::callsFor(AEffect* effect, VstInt32 opcode)
{
    return callsFor(effect, std::vector<VstInt32>{opcode});
}

std::vector<HostCall> HostRecorder::callsFor(AEffect* effect, const std::vector<VstInt32>& opcodes)
{
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<HostCall> matching;
    for (const HostCall& call : calls)
    {
        if (call.effect == effect && std::find(opcodes.begin(), opcodes.end(), call.opcode) != opcodes.end())
            matching.push_back(call);
    }
    return matching;
}

void HostRecorder::clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    calls.clear();
}

VstIntPtr recordingHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt)
{
    HostRecorder& recorder = HostRecorder::instance();
    recorder.record(HostCall{effect, opcode, index, value, opt});
    if (opcode == audioMasterVersion)
        return recorder.versionAnswer.load();
    if (opcode == audioMasterSizeWindow)
        return recorder.sizeWindowAnswer.load();
    return 0;
}

PluginModule& PluginModule::shared()
{
    static PluginModule module;
    return module;
}

PluginModule::PluginModule()
{
    const char* path = std::getenv("VANTOR_MODULE");
    if (path == nullptr)
    {
        loadError = "VANTOR_MODULE is not set";
        return;
    }
    modulePath = path;
    const LoadedModule module = loadPluginModule(modulePath);
    entry = module.entry;
    legacyEntry = module.legacyEntry;
    loadError = module.error;
}

EffectInstance::EffectInstance()
{
    PluginModule& module = PluginModule::shared();
    if (module.loaded())
        aeffect = module.mainEntry()(recordingHostCallback);
}

EffectInstance::~EffectInstance()
{
    close();
}

VstIntPtr EffectInstance::close()
{
    if (aeffect == nullptr)
        return 0;
    const VstIntPtr result = aeffect->dispatcher(aeffect, effClose, 0, 0, nullptr, 0.0f);
    aeffect = nullptr;
    return result;
}

VstIntPtr EffectInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const
{
    return aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt);
}

std::string EffectInstance::text(VstInt32 opcode, VstInt32 index) const
{
    char buffer[256];
    std::memset(buffer, 0x7f, sizeof(buffer));
    buffer[sizeof(buffer) - 1] = '\0';
    dispatch(opcode, index, 0, buffer);
    return buffer;
}

std::vector<unsigned char> EffectInstance::chunk(bool isPreset) const
{
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, isPreset ? 1 : 0, 0, &data);
    if (size <= 0 || data == nullptr)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

VstIntPtr EffectInstance::restore(const std::vector<unsigned char>& bytes, bool isPreset) const
{
    std::vector<unsigned char> copy = bytes;
    return dispatch(effSetChunk, isPreset ? 1 : 0, static_cast<VstIntPtr>(copy.size()), copy.data());
}

void EffectInstance::resumeAt(float sampleRate, VstInt32 blockSize) const
{
    dispatch(effMainsChanged, 0, 0);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

void EffectInstance::process(std::vector<float>& left, std::vector<float>& right) const
{
    constexpr std::size_t kBlock = 512;
    for (std::size_t start = 0; start < left.size(); start += kBlock)
    {
        const auto frames = static_cast<VstInt32>(std::min(kBlock, left.size() - start));
        float* channels[2] = {left.data() + start, right.data() + start};
        aeffect->processReplacing(aeffect, channels, channels, frames);
    }
}
