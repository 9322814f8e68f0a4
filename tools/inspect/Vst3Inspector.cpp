#include "Vst3Inspector.h"

#include "Vst3HostContext.h"
#include "Vst3Module.h"
#include "Vst3PluginInstance.h"
#include "Vst3RunLoop.h"
#include "Vst3StereoProcessData.h"
#include "vst3/Vst3Strings.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace
{

constexpr char kAudioEffectCategory[] = "Audio Module Class";

std::string hexId(const vst3::Tuid& id)
{
    std::string text;
    char digits[3];
    for (std::uint8_t byte : id)
    {
        std::snprintf(digits, sizeof(digits), "%02X", byte);
        text += digits;
    }
    return text;
}

void printClass(const Vst3ClassInfo& info)
{
    std::printf("Class:         \"%s\" (%s)\n", info.name.c_str(), info.category.c_str());
    std::printf("Class id:      %s\n", hexId(info.classId).c_str());
    std::printf("Vendor:        %s\n", info.vendor.c_str());
    std::printf("Version:       %s (%s)\n", info.version.c_str(), info.sdkVersion.c_str());
    std::printf("Categories:    %s\n", info.subCategories.c_str());
}

void printBuses(vst3::IComponent* component)
{
    for (vst3::BusDirection direction : {vst3::kInput, vst3::kOutput})
    {
        std::printf("%s", direction == vst3::kInput ? "Audio inputs: " : "Audio outputs:");
        const std::int32_t count = component->vtable->getBusCount(component, vst3::kAudio, direction);
        for (std::int32_t i = 0; i < count; ++i)
        {
            vst3::BusInfo bus{};
            if (component->vtable->getBusInfo(component, vst3::kAudio, direction, i, &bus) == vst3::kResultOk)
                std::printf(" \"%s\" (%d channels)", vst3::utf16ToAscii(bus.name, std::size(bus.name)).c_str(),
                            bus.channelCount);
        }
        std::printf("%s\n", count == 0 ? " none" : "");
    }
}

std::string valueText(vst3::IEditController* controller, vst3::ParamId id, vst3::ParamValue value)
{
    vst3::String128 text{};
    if (controller->vtable->getParamStringByValue(controller, id, value, text) != vst3::kResultOk)
        return "?";
    return vst3::utf16ToAscii(text, std::size(text));
}

std::string flagList(const vst3::ParameterInfo& info)
{
    std::string list;
    if ((info.flags & vst3::ParameterInfo::kIsHidden) != 0)
        list += "  (hidden)";
    if ((info.flags & vst3::ParameterInfo::kCanAutomate) == 0)
        list += "  (not automatable)";
    if (info.stepCount > 0)
        list += "  (" + std::to_string(info.stepCount + 1) + " steps)";
    return list;
}

void printParameters(vst3::IEditController* controller)
{
    const std::int32_t count = controller->vtable->getParameterCount(controller);
    std::printf("Parameters:    %d\n", count);
    for (std::int32_t i = 0; i < count; ++i)
    {
        vst3::ParameterInfo info{};
        if (controller->vtable->getParameterInfo(controller, i, &info) != vst3::kResultOk)
            continue;
        const vst3::ParamValue value = controller->vtable->getParamNormalized(controller, info.id);
        const std::string quotedName = "\"" + vst3::utf16ToAscii(info.title, std::size(info.title)) + "\"";
        std::printf("  %2u  %-14s %-3s %.6f  %s%s\n", info.id, quotedName.c_str(),
                    vst3::utf16ToAscii(info.units, std::size(info.units)).c_str(), value,
                    valueText(controller, info.id, value).c_str(), flagList(info).c_str());
    }
}

std::string latencyAt(Vst3PluginInstance& effect, double sampleRate)
{
    Vst3StereoProcessData data;
    vst3::ProcessSetup setup = data.setup(sampleRate, 4096);
    if (effect.processor()->vtable->setupProcessing(effect.processor(), &setup) != vst3::kResultOk ||
        effect.component()->vtable->setActive(effect.component(), 1) != vst3::kResultOk)
        return "?";
    const std::uint32_t latency = effect.processor()->vtable->getLatencySamples(effect.processor());
    effect.component()->vtable->setActive(effect.component(), 0);
    return std::to_string(latency);
}

void printEditor(vst3::IEditController* controller)
{
    vst3::IPlugView* view = controller->vtable->createView(controller, vst3::kViewTypeEditor);
    vst3::ViewRect size{};
    if (view == nullptr || view->vtable->getSize(view, &size) != vst3::kResultOk)
        std::printf("Editor:        none\n");
    else
        std::printf("Editor:        %d x %d\n", size.right - size.left, size.bottom - size.top);
    if (view != nullptr)
        vst3::release(view);
}

}  // namespace

int inspectVst3Module(const char* path)
{
    Vst3RunLoop runLoop;
    Vst3HostContext context(runLoop);
    const Vst3Module module(path, context);
    if (!module.loaded())
    {
        std::fprintf(stderr, "vantor-inspect: %s\n", module.error().c_str());
        return 1;
    }
    std::printf("Module:        %s (VST3, factory revision %d)\n", path, module.factoryRevision());
    if (const auto factory = module.factoryInfo())
        std::printf("Factory:       %s, %s, %s\n", factory->vendor.c_str(), factory->url.c_str(), factory->email.c_str());
    for (const Vst3ClassInfo& info : module.classes())
    {
        if (info.category != kAudioEffectCategory)
            continue;
        printClass(info);
        Vst3PluginInstance effect(module, info.classId);
        if (!effect.created() || effect.controller() == nullptr)
        {
            std::fprintf(stderr, "vantor-inspect: %s: \"%s\" would not start (%s)\n", path, info.name.c_str(),
                         effect.error().c_str());
            return 1;
        }
        printBuses(effect.component());
        printParameters(effect.controller());
        std::printf("Latency:       %s samples at 44100 Hz, %s at 48000 Hz, %s at 96000 Hz\n",
                    latencyAt(effect, 44100.0).c_str(), latencyAt(effect, 48000.0).c_str(),
                    latencyAt(effect, 96000.0).c_str());
        std::printf("Tail:          %u samples\n", effect.processor()->vtable->getTailSamples(effect.processor()));
        printEditor(effect.controller());
    }
    return 0;
}
