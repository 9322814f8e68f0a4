#include "PluginSession.h"

#include "ClapPluginSession.h"
#include "VstPluginSession.h"

std::unique_ptr<PluginSession> openPluginSession(const std::string& modulePath, int sampleRate, int blockSize)
{
    const std::string clapSuffix = ".clap";
    if (modulePath.size() > clapSuffix.size() &&
        modulePath.compare(modulePath.size() - clapSuffix.size(), clapSuffix.size(), clapSuffix) == 0)
        return std::make_unique<ClapPluginSession>(modulePath, sampleRate, blockSize);
    return std::make_unique<VstPluginSession>(modulePath, sampleRate, blockSize);
}
