#include "PluginSession.h"

#include "ClapPluginSession.h"
#include "VstPluginSession.h"
#include "Vst3PluginSession.h"

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
    return std::make_unique<VstPluginSession>(modulePath, sampleRate, blockSize);
}
