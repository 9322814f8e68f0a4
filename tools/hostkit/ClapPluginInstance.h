#pragma once

#include "ClapEventList.h"
#include "ClapHost.h"
#include "ClapMemoryStreams.h"
#include "ClapModule.h"
#include "clap/ClapAbi.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ClapGuiSize
{
    std::uint32_t width;
    std::uint32_t height;
};

// One plug-in created from a ClapModule with a ClapHost of its own, driven the way a CLAP
// host drives it. Each call maps onto one plug-in call and answers what the plug-in did;
// nothing is done behind the caller's back except the teardown in the destructor (editor
// destroyed, processing stopped, deactivated, destroyed), so tests can also drive it out of
// order. Main-thread calls belong on the thread that created the object; startProcessing,
// process, stopProcessing and reset may run on another thread, which becomes the host's
// audio thread for the call.
class ClapPluginInstance
{
public:
    ClapPluginInstance(const ClapModule& module, const std::string& pluginId);
    ~ClapPluginInstance();
    ClapPluginInstance(const ClapPluginInstance&) = delete;
    ClapPluginInstance& operator=(const ClapPluginInstance&) = delete;

    bool created() const { return plugin != nullptr; }
    const std::string& error() const { return createError; }
    const clap::Plugin* raw() const { return plugin; }
    ClapHost& host() { return clapHost; }

    // Null before init (CLAP forbids asking sooner) and when the plug-in lacks the extension.
    template <typename Extension> const Extension* extension(const char* id) const
    {
        return initialised ? static_cast<const Extension*>(plugin->getExtension(plugin, id)) : nullptr;
    }

    // Lifecycle.
    bool init();
    bool activate(double sampleRate, std::uint32_t minFrames, std::uint32_t maxFrames);
    void deactivate();
    bool startProcessing();
    void stopProcessing();
    void reset();
    bool isActive() const { return active; }
    bool isProcessing() const { return processing; }

    // Audio: one stereo input port and one stereo output port of float samples; input and
    // output may be the same channels (in place). The events queued in inputEvents() go with
    // the call and are used up by it; outputEvents() holds what the plug-in pushed during the
    // last process or flush call. Allocates nothing, so allocation hooks see only the plug-in.
    ClapEventList& inputEvents() { return inputList; }
    const ClapEventList& outputEvents() const { return outputList; }
    clap::ProcessStatus process(const float* const input[2], float* const output[2], std::uint32_t frames);
    // The params extension's flush with the same event lists (on the audio thread role when active).
    bool flushParams();

    // Parameters; empty results where the plug-in refuses or lacks the extension.
    std::uint32_t paramCount() const;
    std::optional<clap::ParamInfo> paramInfo(std::uint32_t index) const;
    std::optional<double> paramValue(clap::Id paramId) const;
    // A text not ended within `capacity`, or written past it, counts as a refusal.
    std::optional<std::string> valueToText(clap::Id paramId, double value,
                                           std::uint32_t capacity = clap::kNameSize) const;
    std::optional<double> textToValue(clap::Id paramId, const std::string& text) const;

    // State through memory streams moving at most pieceSize bytes per call.
    std::optional<std::vector<unsigned char>> saveState(std::size_t pieceSize = kWholeStream) const;
    bool loadState(const std::vector<unsigned char>& bytes, std::size_t pieceSize = kWholeStream);
    bool loadState(ClapMemoryReader& reader);

    std::optional<std::uint32_t> latency() const;
    std::optional<std::uint32_t> tail() const;
    std::uint32_t audioPortCount(bool isInput) const;
    std::optional<clap::AudioPortInfo> audioPortInfo(std::uint32_t index, bool isInput) const;

    // The editor, embedded with this platform's window api ("x11" or "win32").
    static const char* platformWindowApi();
    bool guiIsApiSupported(const char* api, bool isFloating = false) const;
    bool guiCreate();
    bool guiSetScale(double scale);
    std::optional<ClapGuiSize> guiSize() const;
    // nativeWindow: an X11 Window id, or an HWND.
    bool guiSetParent(std::uintptr_t nativeWindow);
    bool guiShow();
    bool guiHide();
    void guiDestroy();

    // One turn of a host's main loop without waiting: a requested main-thread callback, the
    // due timers, ready file descriptors, and a requested flush when not processing.
    void pumpMainThread();

private:
    ClapHost clapHost;
    const clap::Plugin* plugin = nullptr;
    std::string createError;
    bool initialised = false;
    bool guiCreated = false;
    std::atomic<bool> active{false};
    std::atomic<bool> processing{false};
    std::int64_t steadyTime = 0;
    int flushRequestsServed = 0;
    ClapEventList inputList;
    ClapEventList outputList;
};
