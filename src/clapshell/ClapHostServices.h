#pragma once

#include "clap/ClapAbi.h"

#include <cstdint>

// The host's side of one plug-in instance as the plug-in uses it: the host record and the
// extensions it offers, asked for once at init (CLAP forbids asking sooner). Every request
// quietly does nothing when the host lacks its extension.
class ClapHostServices
{
public:
    explicit ClapHostServices(const clap::Host* host) : record(host) {}

    void fetchExtensions();

    // Any thread but the audio thread: a process or flush call is wanted soon.
    void requestFlush() const;
    // Main thread: the parameters' values changed behind the host's back (a state load).
    void rescanParameterValues() const;
    // Main thread, inside activate only.
    void latencyChanged() const;
    // Main thread: what a preset load the host asked for came to.
    void presetLoaded(std::uint32_t locationKind, const char* location, const char* loadKey) const;
    void presetNotLoaded(std::uint32_t locationKind, const char* location, const char* loadKey,
                         const char* message) const;
    // The editor's window to a new size in pixels; false when the host will not.
    bool requestResize(std::uint32_t width, std::uint32_t height) const;

    bool hasTimers() const { return timers != nullptr; }
    bool registerTimer(std::uint32_t periodMs, clap::Id& id) const;
    void unregisterTimer(clap::Id id) const;
    bool hasDescriptorWatching() const { return descriptors != nullptr; }
    bool watchReadable(int fd) const;
    void stopWatching(int fd) const;

private:
    template <typename Extension> const Extension* find(const char* id) const;

    const clap::Host* record;
    const clap::HostParams* params = nullptr;
    const clap::HostLatency* latency = nullptr;
    const clap::HostGui* gui = nullptr;
    const clap::HostTimerSupport* timers = nullptr;
    const clap::HostPresetLoad* presetLoad = nullptr;
    const clap::HostPosixFdSupport* descriptors = nullptr;
};
