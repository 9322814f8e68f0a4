#include "ClapInspector.h"

#include "ClapModule.h"
#include "ClapPluginInstance.h"

#include <cstdio>
#include <string>

namespace
{

std::string featureList(const clap::PluginDescriptor& descriptor)
{
    std::string list;
    for (const char* const* feature = descriptor.features; feature != nullptr && *feature != nullptr; ++feature)
        list += (list.empty() ? "" : ", ") + std::string(*feature);
    return list;
}

void printDescriptor(const clap::PluginDescriptor& descriptor)
{
    std::printf("Plug-in id:    %s\n", descriptor.id);
    std::printf("Name:          %s\n", descriptor.name);
    std::printf("Vendor:        %s\n", descriptor.vendor != nullptr ? descriptor.vendor : "");
    std::printf("Version:       %s\n", descriptor.version != nullptr ? descriptor.version : "");
    std::printf("Features:      %s\n", featureList(descriptor).c_str());
}

void printPorts(const ClapPluginInstance& plugin)
{
    for (bool isInput : {true, false})
    {
        const std::uint32_t count = plugin.audioPortCount(isInput);
        std::printf("%s", isInput ? "Audio inputs: " : "Audio outputs:");
        for (std::uint32_t i = 0; i < count; ++i)
        {
            const auto port = plugin.audioPortInfo(i, isInput);
            if (port)
                std::printf(" \"%s\" (%u channels)", port->name, port->channelCount);
        }
        std::printf("%s\n", count == 0 ? " none" : "");
    }
}

void printParameters(const ClapPluginInstance& plugin)
{
    std::printf("Parameters:    %u\n", plugin.paramCount());
    for (std::uint32_t i = 0; i < plugin.paramCount(); ++i)
    {
        const auto info = plugin.paramInfo(i);
        if (!info)
            continue;
        const double value = plugin.paramValue(info->id).value_or(info->defaultValue);
        const std::string quotedName = "\"" + std::string(info->name) + "\"";
        std::printf("  %2u  %-14s %.6f  %s%s\n", info->id, quotedName.c_str(), value,
                    plugin.valueToText(info->id, value).value_or("?").c_str(),
                    (info->flags & clap::kParamIsHidden) != 0 ? "  (hidden)" : "");
    }
}

std::string latencyAt(ClapPluginInstance& plugin, double sampleRate)
{
    if (!plugin.activate(sampleRate, 1, 4096))
        return "?";
    const auto latency = plugin.latency();
    plugin.deactivate();
    return latency ? std::to_string(*latency) : "?";
}

void printEditor(ClapPluginInstance& plugin)
{
    if (!plugin.guiIsApiSupported(ClapPluginInstance::platformWindowApi()) || !plugin.guiCreate())
    {
        std::printf("Editor:        none\n");
        return;
    }
    const auto size = plugin.guiSize();
    if (size)
        std::printf("Editor:        %s, %u x %u\n", ClapPluginInstance::platformWindowApi(), size->width, size->height);
    plugin.guiDestroy();
}

}  // namespace

int inspectClapModule(const char* path)
{
    const ClapModule module(path);
    if (!module.loaded())
    {
        std::fprintf(stderr, "vantor-inspect: %s\n", module.error().c_str());
        return 1;
    }
    std::printf("Module:        %s (CLAP %u.%u.%u)\n", path, module.entry()->clapVersion.major,
                module.entry()->clapVersion.minor, module.entry()->clapVersion.revision);
    for (std::uint32_t index = 0; index < module.pluginCount(); ++index)
    {
        const clap::PluginDescriptor* descriptor = module.descriptor(index);
        if (descriptor == nullptr)
            continue;
        printDescriptor(*descriptor);
        ClapPluginInstance plugin(module, descriptor->id);
        if (!plugin.created() || !plugin.init())
        {
            std::fprintf(stderr, "vantor-inspect: %s: %s would not start\n", path, descriptor->id);
            return 1;
        }
        printPorts(plugin);
        printParameters(plugin);
        std::printf("Latency:       %s samples at 44100 Hz, %s at 48000 Hz, %s at 96000 Hz\n",
                    latencyAt(plugin, 44100.0).c_str(), latencyAt(plugin, 48000.0).c_str(),
                    latencyAt(plugin, 96000.0).c_str());
        const auto tail = plugin.tail();
        if (tail)
            std::printf("Tail:          %u samples\n", *tail);
        printEditor(plugin);
    }
    return 0;
}
