// The editor as a CLAP host embeds it: inside the host's X11 (or Win32) window at its one
// size, shown, hidden and destroyed in any order, its idle work and (on Linux) X events
// driven by the host's timer and descriptor watch, and a drag reaching the host as one
// gesture through flush or process.
#include "ClapTestSupport.h"
#include "editor/EditorLayout.h"
#include "host/HostPointer.h"
#include "host/HostWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
// The host watches the editor's X connection; Windows has no such descriptor.
#if defined(_WIN32)
constexpr std::size_t kDescriptorWatches = 0;
#else
constexpr std::size_t kDescriptorWatches = 1;
#endif

class ClapEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.valid() && pointer.valid()) << "no window system (run under Xvfb)";
        // Park the pointer away from every control.
        pointer.moveTo(kWidth + 50, 10);
        plugin = initialisedPlugin();
        ASSERT_NE(plugin, nullptr);
    }

    // A host's main loop turning for `turns` rounds of about 10 ms: its timers and descriptor
    // watch, and a flush when one was asked for (or a process call each round, when
    // processing). What the plug-in sends through either is collected.
    void runMainLoop(int turns, bool processing = false)
    {
        for (int i = 0; i < turns; ++i)
        {
            window.pumpMessages();
            ClapHost& host = plugin->host();
            host.runRequestedCallback();
            host.fireDueTimers();
            host.pollFds(0);
            if (processing)
            {
                float left[64] = {};
                float right[64] = {};
                float* channels[2] = {left, right};
                plugin->process(channels, channels, 64);
                collectSent();
            }
            else if (host.flushRequests() != flushesServed)
            {
                flushesServed = host.flushRequests();
                plugin->flushParams();
                collectSent();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void collectSent()
    {
        for (const ClapParamEvent& event : plugin->outputEvents().paramEvents())
            sent.push_back(event);
    }

    bool openInWindow()
    {
        return plugin->guiCreate() && plugin->guiSetParent(reinterpret_cast<std::uintptr_t>(window.handle())) &&
               plugin->guiShow();
    }

    static const layout::Row& row(const std::string& name)
    {
        for (const layout::Row& candidate : layout::controlRows())
        {
            if (name == candidate.name)
                return candidate;
        }
        throw std::runtime_error("no layout row " + name);
    }

    void dragUp(const layout::Row& control, int pixels, bool processing)
    {
        const float sceneX = layout::leftEdge(kWidth) + control.centre[0];
        const float sceneY = layout::bottomEdge(kHeight) + control.centre[1];
        const int x = static_cast<int>(std::lround(kWidth / 2.0f + sceneX));
        const int y = static_cast<int>(std::lround(kHeight / 2.0f - sceneY));
        pointer.moveTo(x, y);
        runMainLoop(5, processing);
        pointer.press(HostPointer::Left);
        runMainLoop(5, processing);
        for (int step = 1; step <= 4; ++step)
        {
            pointer.moveTo(x, y - pixels * step / 4);
            runMainLoop(3, processing);
        }
        pointer.release(HostPointer::Left);
        runMainLoop(10, processing);
    }

    // Exactly begin, values of this parameter only, end; the last value is the parameter's.
    void expectOneGesture(clap::Id id)
    {
        ASSERT_GE(sent.size(), 3u);
        EXPECT_EQ(sent.front().type, clap::kEventParamGestureBegin);
        EXPECT_EQ(sent.back().type, clap::kEventParamGestureEnd);
        for (std::size_t i = 1; i + 1 < sent.size(); ++i)
            EXPECT_EQ(sent[i].type, clap::kEventParamValue) << i;
        for (const ClapParamEvent& event : sent)
            EXPECT_EQ(event.paramId, id);
        EXPECT_EQ(sent[sent.size() - 2].value, plugin->paramValue(id));
    }

    HostWindow window{kWidth, kHeight};
    HostPointer pointer{window.handle()};
    std::unique_ptr<ClapPluginInstance> plugin;
    std::vector<ClapParamEvent> sent;
    int flushesServed = 0;
};

}  // namespace

TEST_F(ClapEditor, EmbedsInTheHostsWindowAtItsOneSizeAndIsNeverFloating)
{
    const std::string api = ClapPluginInstance::platformWindowApi();
    EXPECT_TRUE(plugin->guiIsApiSupported(api.c_str(), false));
    EXPECT_FALSE(plugin->guiIsApiSupported(api.c_str(), true));
    EXPECT_FALSE(plugin->guiIsApiSupported(api == "x11" ? "win32" : "x11", false));
    EXPECT_FALSE(plugin->guiIsApiSupported("wayland", false));
    ASSERT_TRUE(plugin->guiCreate());
    const auto size = plugin->guiSize();
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, static_cast<std::uint32_t>(kWidth));
    EXPECT_EQ(size->height, static_cast<std::uint32_t>(kHeight));
    const auto* gui = plugin->extension<clap::PluginGui>(clap::kExtGui);
    ASSERT_NE(gui, nullptr);
    EXPECT_FALSE(gui->canResize(plugin->raw()));
    // Hosts ask for the hints whatever canResize said (qtractor complains without them).
    clap::GuiResizeHints hints{};
    ASSERT_TRUE(gui->getResizeHints(plugin->raw(), &hints));
    EXPECT_FALSE(hints.canResizeHorizontally || hints.canResizeVertically);
    EXPECT_TRUE(hints.preserveAspectRatio);
    EXPECT_EQ(hints.aspectRatioWidth * static_cast<std::uint32_t>(kHeight),
              hints.aspectRatioHeight * static_cast<std::uint32_t>(kWidth));
    EXPECT_TRUE(gui->setSize(plugin->raw(), kWidth, kHeight));
    EXPECT_FALSE(gui->setSize(plugin->raw(), kWidth + 1, kHeight));
}

TEST_F(ClapEditor, ShowHideAndDestroyInAnyOrderLeaveNothingBehind)
{
    EXPECT_FALSE(plugin->guiShow()) << "shown before it was created";
    ASSERT_TRUE(plugin->guiCreate());
    EXPECT_TRUE(plugin->guiHide());
    EXPECT_TRUE(plugin->guiShow());
    ASSERT_TRUE(plugin->guiSetParent(reinterpret_cast<std::uintptr_t>(window.handle())));
    runMainLoop(5);
    EXPECT_EQ(window.childCount(), 1);
    // The host drives the editor: a timer, and a watch on its X connection.
    EXPECT_EQ(plugin->host().timerIds().size(), 1u);
    EXPECT_EQ(plugin->host().watchedFds().size(), kDescriptorWatches);
    EXPECT_TRUE(plugin->guiHide());
    runMainLoop(2);
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_TRUE(plugin->host().timerIds().empty());
    EXPECT_TRUE(plugin->host().watchedFds().empty());
    EXPECT_TRUE(plugin->guiShow());
    EXPECT_TRUE(plugin->guiShow());
    runMainLoop(2);
    EXPECT_EQ(window.childCount(), 1);
    plugin->guiDestroy();
    plugin->guiDestroy();
    runMainLoop(2);
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_TRUE(plugin->host().timerIds().empty());
    EXPECT_TRUE(plugin->host().watchedFds().empty());
    // Created again after a destroy, straight into a parent.
    EXPECT_TRUE(openInWindow());
    runMainLoop(2);
    EXPECT_EQ(window.childCount(), 1);
    EXPECT_EQ(plugin->host().misuses(), 0);
}

// A host may hand over a window that is gone by then: set_parent says no and leaves nothing
// running, and the next parent works and draws. Also run in a process of its own
// (clap_editor_tests_alone), where the failed opening is the first.
TEST_F(ClapEditor, AFailedParentAnswersFalseAndTheNextOneDraws)
{
    ASSERT_TRUE(plugin->guiCreate());
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        HostWindow gone{kWidth, kHeight};
        gone.destroy();
        EXPECT_FALSE(plugin->guiSetParent(reinterpret_cast<std::uintptr_t>(gone.handle())));
        EXPECT_TRUE(plugin->host().timerIds().empty());
        ASSERT_TRUE(plugin->guiSetParent(reinterpret_cast<std::uintptr_t>(window.handle())));
        ASSERT_TRUE(plugin->guiShow());
        runMainLoop(20);
        EXPECT_EQ(window.childCount(), 1);
#if !defined(_WIN32)
        EXPECT_TRUE(window.showsDrawnEditor(kWidth, kHeight));
#endif
    }
    plugin->guiDestroy();
    runMainLoop(1);
    EXPECT_EQ(window.childCount(), 0);
}

TEST_F(ClapEditor, ADragReachesAnInactiveHostAsOneGestureThroughFlushes)
{
    ASSERT_TRUE(openInWindow());
    runMainLoop(30);
    sent.clear();
    const int flushesBefore = plugin->host().flushRequests();
    const layout::Row& gain = row("Gain");
    const double before = plugin->paramValue(gain.parameter).value();
    dragUp(gain, 40, false);
    EXPECT_GT(plugin->paramValue(gain.parameter).value(), before);
    EXPECT_GT(plugin->host().flushRequests(), flushesBefore);
    expectOneGesture(static_cast<clap::Id>(gain.parameter));
}

TEST_F(ClapEditor, ADragReachesAProcessingHostAsOneGestureThroughItsOutputEvents)
{
    ASSERT_TRUE(plugin->activate(48000.0, 1, 64) && plugin->startProcessing());
    ASSERT_TRUE(openInWindow());
    runMainLoop(30, true);
    sent.clear();
    const layout::Row& width = row("Punch");
    const double before = plugin->paramValue(width.parameter).value();
    dragUp(width, 30, true);
    EXPECT_NE(plugin->paramValue(width.parameter).value(), before);
    expectOneGesture(static_cast<clap::Id>(width.parameter));
    EXPECT_EQ(plugin->host().misuses(), 0);
}

TEST_F(ClapEditor, TheHostsScaleSetsTheSizeBeforeAndAfterOpening)
{
    ASSERT_TRUE(plugin->guiCreate());
    ASSERT_TRUE(plugin->guiSetScale(2.0));
    auto size = plugin->guiSize();
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 2u * kWidth);
    EXPECT_EQ(size->height, 2u * kHeight);
    ASSERT_TRUE(plugin->guiSetParent(reinterpret_cast<std::uintptr_t>(window.handle())));
    runMainLoop(10);
    EXPECT_EQ(window.childCount(), 1);
    const auto* gui = plugin->extension<clap::PluginGui>(clap::kExtGui);
    ASSERT_NE(gui, nullptr);
    EXPECT_TRUE(gui->setSize(plugin->raw(), 2 * kWidth, 2 * kHeight));
    EXPECT_FALSE(gui->setSize(plugin->raw(), kWidth, kHeight));

    // Changed while open: the editor asks the host for its new size and reopens at it, still
    // driven by the host's loop.
    const int requestsBefore = plugin->host().resizeRequests();
    ASSERT_TRUE(plugin->guiSetScale(1.5));
    runMainLoop(20);
    EXPECT_EQ(plugin->host().resizeRequests(), requestsBefore + 1);
    EXPECT_EQ(plugin->host().lastRequestedWidth(), 768u);
    EXPECT_EQ(plugin->host().lastRequestedHeight(), 936u);
    size = plugin->guiSize();
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 768u);
    EXPECT_EQ(size->height, 936u);
    EXPECT_EQ(window.childCount(), 1);
    EXPECT_EQ(plugin->host().watchedFds().size(), kDescriptorWatches);
    EXPECT_EQ(plugin->host().timerIds().size(), 1u);
    EXPECT_FALSE(plugin->guiSetScale(0.0));
    EXPECT_EQ(plugin->host().misuses(), 0);
}

// A host that offers neither timers nor descriptor watching still gets an editor that opens.
TEST(ClapEditorWithoutHostLoop, OpensWithoutTimerOrDescriptorSupport)
{
    HostWindow window{kWidth, kHeight};
    ASSERT_TRUE(window.valid());
    ClapPluginInstance plugin(clapModule(), kClapPluginId);
    ASSERT_TRUE(plugin.created());
    plugin.host().withholdExtension(clap::kExtTimerSupport);
    plugin.host().withholdExtension(clap::kExtPosixFdSupport);
    ASSERT_TRUE(plugin.init());
    ASSERT_TRUE(plugin.guiCreate());
    EXPECT_TRUE(plugin.guiSetParent(reinterpret_cast<std::uintptr_t>(window.handle())));
    window.pumpMessages();
    EXPECT_EQ(window.childCount(), 1);
    EXPECT_TRUE(plugin.host().timerIds().empty());
    plugin.guiDestroy();
    window.pumpMessages();
    EXPECT_EQ(window.childCount(), 0);
}
