#pragma once

#include "ClapTimerTable.h"
#include "clap/ClapAbi.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

// The host side of one CLAP plug-in instance (CLAP gives each instance its own host record):
// the clap::Host it is created with and the host extensions behind it. It records what the
// plug-in asks for so a test can check it, keeps the timers and file descriptors it
// registers so a test can drive them, and counts every call that breaks the threading or
// lifetime rules as misuse (reported on stderr, and otherwise ignored).
//
// The thread that constructs it is the main thread. The audio thread is whichever thread
// holds an AudioThreadScope: ClapPluginInstance opens one around every audio-thread call.
class ClapHost
{
public:
    ClapHost();
    ClapHost(const ClapHost&) = delete;
    ClapHost& operator=(const ClapHost&) = delete;

    const clap::Host* host() const { return &record; }

    // Every extension declared in clap/ is offered (posix-fd-support not on Windows) unless
    // withheld here before the plug-in is created, to see how it copes without one.
    void withholdExtension(const std::string& id) { withheld.insert(id); }
    const void* extension(const char* id) const;

    class AudioThreadScope
    {
    public:
        explicit AudioThreadScope(ClapHost& host);
        ~AudioThreadScope();
        AudioThreadScope(const AudioThreadScope&) = delete;
        AudioThreadScope& operator=(const AudioThreadScope&) = delete;

    private:
        ClapHost& owner;
        std::thread::id previous;
    };
    bool isMainThread() const { return std::this_thread::get_id() == mainThread; }
    bool isAudioThread() const { return std::this_thread::get_id() == audioThread.load(); }

    // Set by ClapPluginInstance, for the rules that depend on the plug-in's state.
    void attach(const clap::Plugin* instance) { plugin = instance; }
    void allowCallbacks() { callbacksAllowed = true; }  // from the plug-in's init on
    void setActive(bool isActive) { active = isActive; }
    void setBeingActivated(bool activating) { beingActivated = activating; }

    // What the plug-in asked for.
    int restartRequests() const { return restarts; }
    int processRequests() const { return processes; }
    int callbackRequests() const { return callbacks; }
    int flushRequests() const { return flushes; }
    int latencyChanges() const { return latencyChangeCount; }
    int dirtyMarks() const { return dirtyMarkCount; }
    const std::vector<clap::ParamRescanFlags>& paramRescans() const { return rescans; }
    struct ParamClear
    {
        clap::Id paramId;
        clap::ParamClearFlags flags;
    };
    const std::vector<ParamClear>& paramClears() const { return clears; }
    // What the plug-in told of each preset load: loaded, or not with its message.
    struct PresetReport
    {
        bool loaded;
        std::uint32_t locationKind;
        std::string location;
        std::string loadKey;
        bool hasLoadKey;
        std::string message;
    };
    const std::vector<PresetReport>& presetLoadReports() const { return presetReports; }
    int resizeHintsChanges() const { return resizeHintsChangeCount; }
    int resizeRequests() const { return resizeRequestCount; }
    std::uint32_t lastRequestedWidth() const { return requestedWidth; }
    std::uint32_t lastRequestedHeight() const { return requestedHeight; }
    int showRequests() const { return showRequestCount; }
    int hideRequests() const { return hideRequestCount; }
    int guiClosings() const { return closings; }
    bool lastClosingDestroyedGui() const { return closingDestroyed; }
    int problemLogs() const { return problems; }  // messages of warning severity and above
    int misuses() const { return misuseCount; }

    // Main-thread work a host's event loop does; call on the main thread.
    bool runRequestedCallback();  // on_main_thread once, when a callback was requested
    std::vector<clap::Id> timerIds() const { return timers.ids(); }
    bool fireTimer(clap::Id id);
    int fireDueTimers();
    std::map<int, clap::PosixFdFlags> watchedFds() const { return fds; }
    // Waits up to timeoutMs for a watched descriptor and reports every ready one to the
    // plug-in; answers how many were reported. Always 0 on Windows.
    int pollFds(int timeoutMs);

private:
    friend struct ClapHostCallbacks;  // the C entry points behind the host record and its extensions

    void markMisuse(const char* what);
    bool checkCallAllowed(const char* what);
    bool checkMainThread(const char* what);

    clap::Host record;
    std::set<std::string> withheld;
    const clap::Plugin* plugin = nullptr;
    const std::thread::id mainThread;
    std::atomic<std::thread::id> audioThread{};
    std::atomic<bool> callbacksAllowed{false};
    std::atomic<bool> active{false};
    std::atomic<bool> beingActivated{false};

    std::atomic<int> restarts{0};
    std::atomic<int> processes{0};
    std::atomic<int> callbacks{0};
    std::atomic<bool> callbackPending{false};
    std::atomic<int> flushes{0};
    int latencyChangeCount = 0;
    int dirtyMarkCount = 0;
    std::vector<clap::ParamRescanFlags> rescans;
    std::vector<ParamClear> clears;
    std::vector<PresetReport> presetReports;
    std::atomic<int> resizeHintsChangeCount{0};
    std::atomic<int> resizeRequestCount{0};
    std::atomic<std::uint32_t> requestedWidth{0};
    std::atomic<std::uint32_t> requestedHeight{0};
    std::atomic<int> showRequestCount{0};
    std::atomic<int> hideRequestCount{0};
    std::atomic<int> closings{0};
    std::atomic<bool> closingDestroyed{false};
    std::atomic<int> problems{0};
    std::atomic<int> misuseCount{0};

    ClapTimerTable timers;
    std::map<int, clap::PosixFdFlags> fds;
};
