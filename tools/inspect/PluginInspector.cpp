// vantor-inspect: loads a VST 2.4 module file (or a .clap one, a .vst3 bundle, or on Linux an
// .lv2 bundle) as a host does and prints what a host sees: identity, parameters, programs and
// the latency at a few sample rates.

#include "ClapInspector.h"
#include "Vst3Inspector.h"
#if !defined(_WIN32)
#include "Lv2Inspector.h"
#endif
#include "ModuleLoader.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

std::string queryText(AEffect* effect, VstInt32 opcode, VstInt32 index = 0)
{
    char buffer[256] = {};
    effect->dispatcher(effect, opcode, index, 0, buffer, 0.0f);
    buffer[sizeof(buffer) - 1] = '\0';
    return buffer;
}

std::string fourCharacters(VstInt32 code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += static_cast<char>((code >> shift) & 0xFF);
    return text;
}

VstInt32 latencyAt(AEffect* effect, float sampleRate)
{
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    return effect->initialDelay;
}

void printIdentity(AEffect* effect)
{
    std::printf("Vendor:        %s\n", queryText(effect, effGetVendorString).c_str());
    std::printf("Product:       %s\n", queryText(effect, effGetProductString).c_str());
    std::printf("Unique ID:     '%s'\n", fourCharacters(effect->uniqueID).c_str());
    std::printf("Version:       %d (vendor version %lld, VST %lld)\n", effect->version,
                static_cast<long long>(effect->dispatcher(effect, effGetVendorVersion, 0, 0, nullptr, 0.0f)),
                static_cast<long long>(effect->dispatcher(effect, effGetVstVersion, 0, 0, nullptr, 0.0f)));
    std::printf("Channels:      %d in, %d out\n", effect->numInputs, effect->numOutputs);
    std::printf("Flags:         0x%x\n", static_cast<unsigned>(effect->flags));
    std::printf("Programs:      %d (current: \"%s\")\n", effect->numPrograms,
                queryText(effect, effGetProgramName).c_str());
}

void printParameters(AEffect* effect)
{
    std::printf("Parameters:    %d\n", effect->numParams);
    for (VstInt32 i = 0; i < effect->numParams; ++i)
    {
        std::string quotedName = "\"";
        quotedName += queryText(effect, effGetParamName, i);
        quotedName += '"';
        std::printf("  %2d  %-14s %-8s %.6f\n", i, quotedName.c_str(), queryText(effect, effGetParamLabel, i).c_str(),
                    effect->getParameter(effect, i));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0)
    {
        std::fprintf(stderr, "usage: vantor-inspect MODULE\n"
                             "Loads a VST 2.4 plug-in module, a CLAP one (.clap) or a VST3 one (.vst3), and prints\n"
                             "what a host sees.\n");
        return 2;
    }
    std::string path = argv[1];
#if !defined(_WIN32)
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".lv2") == 0)
        return inspectLv2Bundle(path.c_str());
#endif
    if (path.size() > 5 && path.compare(path.size() - 5, 5, ".clap") == 0)
        return inspectClapModule(argv[1]);
    if (path.size() > 5 && path.compare(path.size() - 5, 5, ".vst3") == 0)
        return inspectVst3Module(argv[1]);
    const LoadedModule module = loadPluginModule(argv[1]);
    if (!module.error.empty())
    {
        std::fprintf(stderr, "vantor-inspect: %s\n", module.error.c_str());
        return 1;
    }
    AEffect* effect = module.entry(quietHost);
    if (effect == nullptr || effect->magic != kEffectMagic)
    {
        std::fprintf(stderr, "vantor-inspect: %s created no effect\n", argv[1]);
        return 1;
    }
    std::printf("Module:        %s\n", argv[1]);
    printIdentity(effect);
    printParameters(effect);
    std::printf("Latency:       %d samples at 44100 Hz, %d at 48000 Hz, %d at 96000 Hz\n", latencyAt(effect, 44100.0f),
                latencyAt(effect, 48000.0f), latencyAt(effect, 96000.0f));
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}
