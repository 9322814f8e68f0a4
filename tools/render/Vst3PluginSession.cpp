#include "Vst3PluginSession.h"

#include "RenderErrors.h"
#include "Vst3MemoryStream.h"
#include "vst3/Vst3Strings.h"

#include <filesystem>
#include <iterator>

namespace
{

constexpr char kAudioEffectCategory[] = "Audio Module Class";

}  // namespace

Vst3PluginSession::Vst3PluginSession(const std::string& modulePath, int rate, int blockSize)
    : sampleRate(rate), maxBlockSize(blockSize)
{
    if (!std::filesystem::exists(modulePath))
        throw RenderFailure(modulePath + ": no such plug-in module");
    module = std::make_unique<Vst3Module>(modulePath, context);
    if (!module->loaded())
        throw RenderFailure(module->error() + " (is it a VST3 plug-in?)");
    const std::vector<Vst3ClassInfo> classes = module->classes();
    const Vst3ClassInfo* audioEffect = nullptr;
    for (const Vst3ClassInfo& info : classes)
    {
        if (info.category == kAudioEffectCategory)
        {
            audioEffect = &info;
            break;
        }
    }
    if (audioEffect == nullptr)
        throw RenderFailure(modulePath + ": the module offers no audio effect");
    effect = std::make_unique<Vst3PluginInstance>(*module, audioEffect->classId);
    if (!effect->created() || effect->controller() == nullptr)
        throw RenderFailure(modulePath + ": " + audioEffect->name + " would not start (" + effect->error() + ")");
    processData = std::make_unique<Vst3StereoProcessData>(vst3::kOffline);
}

// The effect goes before its module.
Vst3PluginSession::~Vst3PluginSession()
{
    suspend();
    effect.reset();
}

std::vector<ParameterInfo> Vst3PluginSession::parameters() const
{
    vst3::IEditController* controller = effect->controller();
    std::vector<ParameterInfo> list;
    const std::int32_t count = controller->vtable->getParameterCount(controller);
    for (std::int32_t i = 0; i < count; ++i)
    {
        vst3::ParameterInfo info{};
        if (controller->vtable->getParameterInfo(controller, i, &info) != vst3::kResultOk)
            continue;
        const double value = controller->vtable->getParamNormalized(controller, info.id);
        list.push_back({static_cast<int>(info.id), vst3::utf16ToAscii(info.title, std::size(info.title)),
                        static_cast<float>(value)});
    }
    return list;
}

// The controller hears of a value before processing only: told while processing, a
// single-component effect could take it before its sample.
void Vst3PluginSession::setParameter(int index, float value)
{
    if (!processing)
    {
        vst3::IEditController* controller = effect->controller();
        controller->vtable->setParamNormalized(controller, static_cast<vst3::ParamId>(index), value);
    }
    scheduleParameter(index, value, 0);
}

void Vst3PluginSession::scheduleParameter(int index, float value, int offset)
{
    processData->inputChanges().addPoint(static_cast<vst3::ParamId>(index), offset, value);
}

bool Vst3PluginSession::loadChunk(const std::vector<unsigned char>& bytes)
{
    Vst3MemoryStream state(bytes);
    if (effect->component()->vtable->setState(effect->component(), state.stream()) != vst3::kResultOk)
        return false;
    Vst3MemoryStream forController(bytes);
    effect->controller()->vtable->setComponentState(effect->controller(), forController.stream());
    return true;
}

std::vector<unsigned char> Vst3PluginSession::saveChunk() const
{
    Vst3MemoryStream state;
    if (effect->component()->vtable->getState(effect->component(), state.stream()) != vst3::kResultOk ||
        state.bytes().empty())
        throw RenderFailure("the plug-in gave no state");
    return state.bytes();
}

void Vst3PluginSession::resume()
{
    if (processing)
        return;
    vst3::ProcessSetup setup = processData->setup(sampleRate, maxBlockSize);
    vst3::IAudioProcessor* processor = effect->processor();
    if (processor->vtable->setupProcessing(processor, &setup) != vst3::kResultOk ||
        effect->component()->vtable->setActive(effect->component(), 1) != vst3::kResultOk)
        throw RenderFailure("the plug-in would not start processing at " + std::to_string(sampleRate) + " Hz");
    // Hosts go on when setProcessing is not implemented.
    processor->vtable->setProcessing(processor, 1);
    processing = true;
}

void Vst3PluginSession::suspend()
{
    if (!processing)
        return;
    effect->processor()->vtable->setProcessing(effect->processor(), 0);
    effect->component()->vtable->setActive(effect->component(), 0);
    processing = false;
}

int Vst3PluginSession::latency() const
{
    return static_cast<int>(effect->processor()->vtable->getLatencySamples(effect->processor()));
}

void Vst3PluginSession::process(const float* left, const float* right, float* outLeft, float* outRight, int frames)
{
    const float* input[2] = {left, right};
    float* output[2] = {outLeft, outRight};
    vst3::ProcessData& data = processData->prepare(input, output, frames);
    effect->processor()->vtable->process(effect->processor(), &data);
    processData->inputChanges().clear();
}
