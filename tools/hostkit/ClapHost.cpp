#include "ClapHost.h"

#include "HostKitName.h"

#include <cstdio>
#include <cstring>

#if !defined(_WIN32)
#include <poll.h>
#endif

namespace
{

constexpr char kHostVendor[] = "Brackwel";
constexpr char kHostUrl[] = "";
constexpr char kHostVersion[] = "1.0";

ClapHost& hostOf(const clap::Host* host)
{
    return *static_cast<ClapHost*>(host->hostData);
}

const char* severityName(clap::LogSeverity severity)
{
    switch (severity)
    {
    case clap::kLogDebug: return "debug";
    case clap::kLogInfo: return "info";
    case clap::kLogWarning: return "warning";
    case clap::kLogError: return "error";
    case clap::kLogFatal: return "fatal";
    case clap::kLogHostMisbehaving: return "host misbehaving";
    case clap::kLogPluginMisbehaving: return "plug-in misbehaving";
    default: return "unknown severity";
    }
}

}  // namespace

// Each entry point checks the rule CLAP gives it before recording the call.
struct ClapHostCallbacks
{
    static const void* getExtension(const clap::Host* host, const char* id)
    {
        ClapHost& self = hostOf(host);
        if (id == nullptr || !self.checkCallAllowed("get_extension"))
            return nullptr;
        return self.extension(id);
    }

    static void requestRestart(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (self.checkCallAllowed("request_restart"))
            ++self.restarts;
    }

    static void requestProcess(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (self.checkCallAllowed("request_process"))
            ++self.processes;
    }

    static void requestCallback(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkCallAllowed("request_callback"))
            return;
        ++self.callbacks;
        self.callbackPending = true;
    }

    static void paramsRescan(const clap::Host* host, clap::ParamRescanFlags flags)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkMainThread("params.rescan"))
            return;
        if ((flags & clap::kParamRescanAll) != 0 && self.active)
            self.markMisuse("params.rescan(ALL) while active");
        self.rescans.push_back(flags);
    }

    static void paramsClear(const clap::Host* host, clap::Id paramId, clap::ParamClearFlags flags)
    {
        ClapHost& self = hostOf(host);
        if (self.checkMainThread("params.clear"))
            self.clears.push_back({paramId, flags});
    }

    static void paramsRequestFlush(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkCallAllowed("params.request_flush"))
            return;
        if (self.isAudioThread())
            self.markMisuse("params.request_flush on the audio thread");
        ++self.flushes;
    }

    static void latencyChanged(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkMainThread("latency.changed"))
            return;
        if (!self.beingActivated)
            self.markMisuse("latency.changed outside activate");
        ++self.latencyChangeCount;
    }

    static void stateMarkDirty(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (self.checkMainThread("state.mark_dirty"))
            ++self.dirtyMarkCount;
    }

    static void presetLoadError(const clap::Host* host, std::uint32_t locationKind, const char* location,
                                const char* loadKey, std::int32_t, const char* message)
    {
        ClapHost& self = hostOf(host);
        if (self.checkMainThread("preset_load.on_error"))
            self.presetReports.push_back({false, locationKind, location != nullptr ? location : "",
                                          loadKey != nullptr ? loadKey : "", loadKey != nullptr,
                                          message != nullptr ? message : ""});
    }

    static void presetLoaded(const clap::Host* host, std::uint32_t locationKind, const char* location,
                             const char* loadKey)
    {
        ClapHost& self = hostOf(host);
        if (self.checkMainThread("preset_load.loaded"))
            self.presetReports.push_back({true, locationKind, location != nullptr ? location : "",
                                          loadKey != nullptr ? loadKey : "", loadKey != nullptr, ""});
    }

    static void guiResizeHintsChanged(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (self.checkCallAllowed("gui.resize_hints_changed"))
            ++self.resizeHintsChangeCount;
    }

    // The kit's host windows follow whatever size the plug-in asks for.
    static bool guiRequestResize(const clap::Host* host, std::uint32_t width, std::uint32_t height)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkCallAllowed("gui.request_resize"))
            return false;
        self.requestedWidth = width;
        self.requestedHeight = height;
        ++self.resizeRequestCount;
        return true;
    }

    static bool guiRequestShow(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkCallAllowed("gui.request_show"))
            return false;
        ++self.showRequestCount;
        return true;
    }

    static bool guiRequestHide(const clap::Host* host)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkCallAllowed("gui.request_hide"))
            return false;
        ++self.hideRequestCount;
        return true;
    }

    static void guiClosed(const clap::Host* host, bool wasDestroyed)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkCallAllowed("gui.closed"))
            return;
        self.closingDestroyed = wasDestroyed;
        ++self.closings;
    }

    static bool registerTimer(const clap::Host* host, std::uint32_t periodMs, clap::Id* timerId)
    {
        ClapHost& self = hostOf(host);
        if (timerId == nullptr || !self.checkMainThread("timer_support.register_timer"))
            return false;
        *timerId = self.timers.add(periodMs, ClapTimerTable::Clock::now());
        return true;
    }

    static bool unregisterTimer(const clap::Host* host, clap::Id timerId)
    {
        ClapHost& self = hostOf(host);
        return self.checkMainThread("timer_support.unregister_timer") && self.timers.remove(timerId);
    }

    static bool registerFd(const clap::Host* host, int fd, clap::PosixFdFlags flags)
    {
        ClapHost& self = hostOf(host);
        if (fd < 0 || !self.checkMainThread("posix_fd_support.register_fd"))
            return false;
        return self.fds.emplace(fd, flags).second;
    }

    static bool modifyFd(const clap::Host* host, int fd, clap::PosixFdFlags flags)
    {
        ClapHost& self = hostOf(host);
        if (!self.checkMainThread("posix_fd_support.modify_fd"))
            return false;
        const auto watched = self.fds.find(fd);
        if (watched == self.fds.end())
            return false;
        watched->second = flags;
        return true;
    }

    static bool unregisterFd(const clap::Host* host, int fd)
    {
        ClapHost& self = hostOf(host);
        return self.checkMainThread("posix_fd_support.unregister_fd") && self.fds.erase(fd) != 0;
    }

    static bool isMainThread(const clap::Host* host) { return hostOf(host).isMainThread(); }
    static bool isAudioThread(const clap::Host* host) { return hostOf(host).isAudioThread(); }

    static void log(const clap::Host* host, clap::LogSeverity severity, const char* message)
    {
        ClapHost& self = hostOf(host);
        if (severity >= clap::kLogWarning)
            ++self.problems;
        std::fprintf(stderr, "clap plug-in log, %s: %s\n", severityName(severity),
                     message != nullptr ? message : "(no message)");
    }

    static constexpr clap::HostParams params{paramsRescan, paramsClear, paramsRequestFlush};
    static constexpr clap::HostLatency latency{latencyChanged};
    static constexpr clap::HostState state{stateMarkDirty};
    static constexpr clap::HostPresetLoad presetLoad{presetLoadError, presetLoaded};
    static constexpr clap::HostGui gui{guiResizeHintsChanged, guiRequestResize, guiRequestShow, guiRequestHide,
                                       guiClosed};
    static constexpr clap::HostTimerSupport timerSupport{registerTimer, unregisterTimer};
    static constexpr clap::HostPosixFdSupport posixFdSupport{registerFd, modifyFd, unregisterFd};
    static constexpr clap::HostThreadCheck threadCheck{isMainThread, isAudioThread};
    static constexpr clap::HostLog logger{log};
};

ClapHost::ClapHost()
    : record{.clapVersion = clap::kVersion,
             .hostData = this,
             .name = kHostKitName,
             .vendor = kHostVendor,
             .url = kHostUrl,
             .version = kHostVersion,
             .getExtension = ClapHostCallbacks::getExtension,
             .requestRestart = ClapHostCallbacks::requestRestart,
             .requestProcess = ClapHostCallbacks::requestProcess,
             .requestCallback = ClapHostCallbacks::requestCallback},
      mainThread(std::this_thread::get_id())
{
}

const void* ClapHost::extension(const char* id) const
{
    struct Offer
    {
        const char* id;
        const void* extension;
    };
    static constexpr Offer kOffers[] = {
        {clap::kExtParams, &ClapHostCallbacks::params},
        {clap::kExtLatency, &ClapHostCallbacks::latency},
        {clap::kExtState, &ClapHostCallbacks::state},
        {clap::kExtPresetLoad, &ClapHostCallbacks::presetLoad},
        {clap::kExtGui, &ClapHostCallbacks::gui},
        {clap::kExtTimerSupport, &ClapHostCallbacks::timerSupport},
#if !defined(_WIN32)
        {clap::kExtPosixFdSupport, &ClapHostCallbacks::posixFdSupport},
#endif
        {clap::kExtThreadCheck, &ClapHostCallbacks::threadCheck},
        {clap::kExtLog, &ClapHostCallbacks::logger},
    };
    for (const Offer& offer : kOffers)
    {
        if (std::strcmp(offer.id, id) == 0)
            return withheld.count(id) != 0 ? nullptr : offer.extension;
    }
    return nullptr;
}

ClapHost::AudioThreadScope::AudioThreadScope(ClapHost& host)
    : owner(host), previous(host.audioThread.exchange(std::this_thread::get_id()))
{
}

ClapHost::AudioThreadScope::~AudioThreadScope()
{
    owner.audioThread = previous;
}

void ClapHost::markMisuse(const char* what)
{
    ++misuseCount;
    std::fprintf(stderr, "clap host kit: plug-in misuse: %s\n", what);
}

bool ClapHost::checkCallAllowed(const char* what)
{
    if (callbacksAllowed)
        return true;
    markMisuse((std::string(what) + " before init").c_str());
    return false;
}

bool ClapHost::checkMainThread(const char* what)
{
    if (!checkCallAllowed(what))
        return false;
    if (isMainThread())
        return true;
    markMisuse((std::string(what) + " off the main thread").c_str());
    return false;
}

bool ClapHost::runRequestedCallback()
{
    if (plugin == nullptr || !callbackPending.exchange(false))
        return false;
    plugin->onMainThread(plugin);
    return true;
}

bool ClapHost::fireTimer(clap::Id id)
{
    const auto* timerSupport =
        plugin != nullptr
            ? static_cast<const clap::PluginTimerSupport*>(plugin->getExtension(plugin, clap::kExtTimerSupport))
            : nullptr;
    if (timerSupport == nullptr || !timers.contains(id))
        return false;
    timerSupport->onTimer(plugin, id);
    return true;
}

int ClapHost::fireDueTimers()
{
    int fired = 0;
    // A timer's handler may unregister another that was due in the same turn.
    for (const clap::Id id : timers.takeDue(ClapTimerTable::Clock::now()))
        fired += fireTimer(id) ? 1 : 0;
    return fired;
}

int ClapHost::pollFds(int timeoutMs)
{
#if defined(_WIN32)
    (void)timeoutMs;
    return 0;
#else
    const auto* fdSupport =
        plugin != nullptr
            ? static_cast<const clap::PluginPosixFdSupport*>(plugin->getExtension(plugin, clap::kExtPosixFdSupport))
            : nullptr;
    if (fdSupport == nullptr || fds.empty())
        return 0;
    std::vector<pollfd> watched;
    for (const auto& [fd, flags] : fds)
    {
        const short events = static_cast<short>(((flags & clap::kPosixFdRead) != 0 ? POLLIN : 0) |
                                                ((flags & clap::kPosixFdWrite) != 0 ? POLLOUT : 0));
        watched.push_back({fd, events, 0});
    }
    if (poll(watched.data(), watched.size(), timeoutMs) <= 0)
        return 0;
    int reported = 0;
    for (const pollfd& entry : watched)
    {
        clap::PosixFdFlags happened = 0;
        if ((entry.revents & POLLIN) != 0)
            happened |= clap::kPosixFdRead;
        if ((entry.revents & POLLOUT) != 0)
            happened |= clap::kPosixFdWrite;
        if ((entry.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            happened |= clap::kPosixFdError;
        // Only what the plug-in still watches: an earlier handler may have unregistered it.
        const auto current = fds.find(entry.fd);
        if (current == fds.end())
            continue;
        happened &= current->second | clap::kPosixFdError;
        if (happened == 0)
            continue;
        fdSupport->onFd(plugin, entry.fd, happened);
        ++reported;
    }
    return reported;
#endif
}
