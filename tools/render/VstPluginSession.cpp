#include "VstPluginSession.h"

#include "ModuleLoader.h"
#include "RenderErrors.h"

#include <algorithm>
#include <filesystem>

namespace
{

// The renderer drives one effect per process, so the answers to the effect's questions
// live here, where the callback can give them even before VSTPluginMain has returned.
float hostSampleRate = 44100.0f;
VstInt32 hostBlockSize = 512;

VstIntPtr renderHostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    switch (opcode)
    {
    case audioMasterVersion: return 2400;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(hostSampleRate);
    case audioMasterGetBlockSize: return hostBlockSize;
    default: return 0;
    }
}

// Vantor Pro's program form (2724 bytes, 364 in older releases) goes in as a preset;
// every other chunk as a bank.
bool isVantorProgramChunk(std::size_t size)
{
    return size == 2724 || size == 364;
}

AEffect* createEffect(const std::string& modulePath)
{
    if (!std::filesystem::exists(modulePath))
        throw RenderFailure(modulePath + ": no such plug-in module");
    const LoadedModule module = loadPluginModule(modulePath);
    if (!module.error.empty())
        throw RenderFailure(module.error + " (is it a VST 2.4 plug-in?)");
    AEffect* effect = module.entry(renderHostCallback);
    if (effect == nullptr)
        throw RenderFailure(modulePath + ": VSTPluginMain created no effect");
    if (effect->magic != kEffectMagic)
        throw RenderFailure(modulePath + ": VSTPluginMain returned something that is not a VST effect");
    return effect;
}

}  // namespace

VstPluginSession::VstPluginSession(const std::string& modulePath, int sampleRate, int blockSize)
    : maxBlockSize(blockSize)
{
    hostSampleRate = static_cast<float>(sampleRate);
    hostBlockSize = blockSize;
    effect = createEffect(modulePath);
    if (effect->processReplacing == nullptr || effect->numOutputs < 1)
    {
        dispatch(effClose);
        throw RenderFailure(modulePath + ": the effect offers no processReplacing with audio outputs");
    }

    const auto block = static_cast<std::size_t>(blockSize);
    inputs.assign(static_cast<std::size_t>(std::max(effect->numInputs, 2)), std::vector<float>(block, 0.0f));
    outputs.assign(static_cast<std::size_t>(effect->numOutputs), std::vector<float>(block, 0.0f));
    for (std::vector<float>& input : inputs)
        inputPointers.push_back(input.data());
    for (std::vector<float>& output : outputs)
        outputPointers.push_back(output.data());

    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, hostSampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
}

VstPluginSession::~VstPluginSession()
{
    suspend();
    dispatch(effClose);
}

VstIntPtr VstPluginSession::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::vector<ParameterInfo> VstPluginSession::parameters() const
{
    std::vector<ParameterInfo> list;
    for (VstInt32 i = 0; i < effect->numParams; ++i)
    {
        // Many effects write past the 8 characters the interface allows; give them room.
        char name[256] = {};
        dispatch(effGetParamName, i, 0, name);
        name[sizeof(name) - 1] = '\0';
        list.push_back({i, name, effect->getParameter(effect, i)});
    }
    return list;
}

void VstPluginSession::setParameter(int index, float value)
{
    effect->setParameter(effect, index, value);
}

void VstPluginSession::requireChunks() const
{
    if ((effect->flags & effFlagsProgramChunks) == 0)
        throw RenderFailure("the plug-in keeps its state in parameters only and takes no chunks");
}

bool VstPluginSession::loadChunk(const std::vector<unsigned char>& bytes)
{
    requireChunks();
    // The effect receives a buffer of its own: some write into what they are given.
    std::vector<unsigned char> copy = bytes;
    const VstInt32 asPreset = isVantorProgramChunk(copy.size()) ? 1 : 0;
    return dispatch(effSetChunk, asPreset, static_cast<VstIntPtr>(copy.size()), copy.data()) != 0;
}

std::vector<unsigned char> VstPluginSession::saveChunk() const
{
    requireChunks();
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || data == nullptr)
        throw RenderFailure("the plug-in gave no chunk");
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

void VstPluginSession::resume()
{
    if (resumed)
        return;
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    resumed = true;
}

void VstPluginSession::suspend()
{
    if (!resumed)
        return;
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    resumed = false;
}

void VstPluginSession::scheduleParameter(int index, float value, int offset)
{
    const auto later = std::upper_bound(scheduled.begin(), scheduled.end(), offset,
                                        [](int at, const ScheduledChange& change) { return at < change.offset; });
    scheduled.insert(later, {offset, index, value});
}

void VstPluginSession::process(const float* left, const float* right, float* outLeft, float* outRight, int frames)
{
    std::copy_n(left, frames, inputs[0].data());
    std::copy_n(right, frames, inputs[1].data());
    for (std::vector<float>& output : outputs)
        std::fill_n(output.data(), frames, 0.0f);
    int done = 0;
    const auto processUpTo = [&](int end)
    {
        if (end <= done)
            return;
        std::vector<float*> in(inputPointers), out(outputPointers);
        for (float*& channel : in)
            channel += done;
        for (float*& channel : out)
            channel += done;
        effect->processReplacing(effect, in.data(), out.data(), end - done);
        done = end;
    };
    for (const ScheduledChange& change : scheduled)
    {
        processUpTo(std::min(change.offset, frames));
        setParameter(change.index, change.value);
    }
    scheduled.clear();
    processUpTo(frames);
    std::copy_n(outputs[0].data(), frames, outLeft);
    std::copy_n(outputs[outputs.size() > 1 ? 1 : 0].data(), frames, outRight);
}
