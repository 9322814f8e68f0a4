#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct EditorSize
{
    int width;
    int height;
    bool operator==(const EditorSize&) const = default;
};

// One step of an edit as the host saw it, in the format's own terms mapped onto one shape:
// a gesture's begin and end, and the values between.
struct HostEdit
{
    enum class Step
    {
        begin,
        value,
        end,
    };
    Step step;
    int parameter;
    double value;
};

// One format's editor of the built module, driven through that format's host kit as its hosts
// drive it. Every call maps onto the format's own calls; nothing is repaired behind the test's
// back, so a case sees what a host would.
class FormatEditor
{
public:
    virtual ~FormatEditor() = default;

    // Opens the editor inside `parent` (an X11 window id or an HWND); false when it refused.
    virtual bool open(void* parent) = 0;
    virtual void close() = 0;
    // One turn of the host's main loop without waiting: idle calls, timers, watched
    // descriptors, and the plug-in's messages to the host collected.
    virtual void turnLoop() = 0;
    // The size the editor asks for now; empty where the format tells it only once open.
    virtual std::optional<EditorSize> size() = 0;
    // The host's scale factor for the editor; false when the editor refused it.
    virtual bool setScale(double factor) = 0;
    // Every size the editor asked the host to give its window, oldest first.
    virtual std::vector<EditorSize> sizeRequests() { return requestedSizes; }
    // Every edit the host was told of, oldest first.
    virtual std::vector<HostEdit> edits() { return heard; }
    // A parameter's value as the host reads it, in the units its edits carry.
    virtual double value(int parameter) = 0;
    // Timers and descriptor watches the editor holds in the host's loop (a format whose host
    // offers none has none).
    virtual std::size_t loopEntries() { return 0; }
    // Calls the host saw that its format forbids (none where its host kit keeps no count).
    virtual int misuses() { return 0; }

protected:
    // Where an adapter whose host hears of them itself keeps the sizes asked for and the edits.
    std::vector<EditorSize> requestedSizes;
    std::vector<HostEdit> heard;
};

// When the host may set the editor's scale: only when it opens the editor (LV2's scale
// factor option goes with instantiation), or at any time.
enum class HostScale
{
    atOpening,
    anytime,
};

// A row of the table the shared editor cases run over: one format.
struct FormatRow
{
    std::string name;
    std::unique_ptr<FormatEditor> (*make)();
    HostScale scale;
    // What the open editor keeps in the host's loop on this platform.
    std::size_t loopEntriesWhileOpen;
};

std::unique_ptr<FormatEditor> makeVst2Editor();
// What a VST 2.4 host heard of one effect's edits (begin, automate and end edit calls).
struct AEffect;
std::vector<HostEdit> vst2HostEdits(AEffect* effect);
std::unique_ptr<FormatEditor> makeClapEditor();
std::unique_ptr<FormatEditor> makeVst3Editor();
std::unique_ptr<FormatEditor> makeLv2Editor();
