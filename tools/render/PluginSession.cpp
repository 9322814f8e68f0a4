#include "PluginSession.h"

#include "ClapPluginSession.h"
#if !defined(_WIN32)
#include "Lv2PluginSession.h"
#endif
#include "Vst3PluginSession.h"
#include "VstPluginSession.h"

namespace
{

bool endsWith(const std::string& path, const std::string& suffix)
{
    return path.size() > suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::unique_ptr<PluginSession> openPluginSession(const std::string& modulePath, int sampleRate, int blockSize)
{
    if (endsWith(modulePath, ".clap"))
        return std::make_unique<ClapPluginSession>(modulePath, sampleRate, blockSize);
    if (endsWith(modulePath, ".vst3") || endsWith(modulePath, ".vst3/"))
        return std::make_unique<Vst3PluginSession>(modulePath, sampleRate, blockSize);
#if !defined(_WIN32)
    if (endsWith(modulePath, ".lv2") || endsWith(modulePath, ".lv2/"))
        return std::make_unique<Lv2PluginSession>(modulePath, sampleRate, blockSize);
#endif
    return std::make_unique<VstPluginSession>(modulePath, sampleRate, blockSize);
}
