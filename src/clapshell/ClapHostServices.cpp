#include "clapshell/ClapHostServices.h"

template <typename Extension> const Extension* ClapHostServices::find(const char* id) const
{
    if (record == nullptr || record->getExtension == nullptr)
        return nullptr;
    return static_cast<const Extension*>(record->getExtension(record, id));
}

void ClapHostServices::fetchExtensions()
{
    params = find<clap::HostParams>(clap::kExtParams);
    latency = find<clap::HostLatency>(clap::kExtLatency);
    gui = find<clap::HostGui>(clap::kExtGui);
    timers = find<clap::HostTimerSupport>(clap::kExtTimerSupport);
    descriptors = find<clap::HostPosixFdSupport>(clap::kExtPosixFdSupport);
    presetLoad = find<clap::HostPresetLoad>(clap::kExtPresetLoad);
    if (presetLoad == nullptr)
        presetLoad = find<clap::HostPresetLoad>(clap::kExtPresetLoadCompat);
}

void ClapHostServices::requestFlush() const
{
    if (params != nullptr && params->requestFlush != nullptr)
        params->requestFlush(record);
}

void ClapHostServices::rescanParameterValues() const
{
    if (params != nullptr && params->rescan != nullptr)
        params->rescan(record, clap::kParamRescanValues);
}

void ClapHostServices::latencyChanged() const
{
    if (latency != nullptr && latency->changed != nullptr)
        latency->changed(record);
}

void ClapHostServices::presetLoaded(std::uint32_t locationKind, const char* location, const char* loadKey) const
{
    if (presetLoad != nullptr && presetLoad->loaded != nullptr)
        presetLoad->loaded(record, locationKind, location, loadKey);
}

void ClapHostServices::presetNotLoaded(std::uint32_t locationKind, const char* location, const char* loadKey,
                                       const char* message) const
{
    if (presetLoad != nullptr && presetLoad->onError != nullptr)
        presetLoad->onError(record, locationKind, location, loadKey, 0, message);
}

bool ClapHostServices::requestResize(std::uint32_t width, std::uint32_t height) const
{
    return gui != nullptr && gui->requestResize != nullptr && gui->requestResize(record, width, height);
}

bool ClapHostServices::registerTimer(std::uint32_t periodMs, clap::Id& id) const
{
    return timers != nullptr && timers->registerTimer != nullptr && timers->registerTimer(record, periodMs, &id);
}

void ClapHostServices::unregisterTimer(clap::Id id) const
{
    if (timers != nullptr && timers->unregisterTimer != nullptr)
        timers->unregisterTimer(record, id);
}

bool ClapHostServices::watchReadable(int fd) const
{
    return descriptors != nullptr && descriptors->registerFd != nullptr &&
           descriptors->registerFd(record, fd, clap::kPosixFdRead);
}

void ClapHostServices::stopWatching(int fd) const
{
    if (descriptors != nullptr && descriptors->unregisterFd != nullptr)
        descriptors->unregisterFd(record, fd);
}
