// What only a CLAP host meets of the editor (what every format's editor must do is in
// tests/editors): the window apis and sizes it answers for, show and hide in any order with
// the host's timer and descriptor watch following, an inactive host hearing of a drag through
// the flushes asked for, and a host that offers neither timers nor descriptor watching.
#include "ClapEditorUnderTest.h"
#include "EditorDriving.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace
{

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
        pointer.moveTo(kEditorWidth + 50, 10);
        ASSERT_NE(plugin, nullptr);
    }

    void turn(int turns) { turnLoop(editor, window, turns); }
    std::uintptr_t parent() const { return reinterpret_cast<std::uintptr_t>(window.handle()); }

    HostWindow window{kEditorWidth, kEditorHeight};
    HostPointer pointer{window.handle()};
    ClapEditorUnderTest editor{ClapEditorUnderTest::Host::inactive};
    ClapPluginInstance* plugin = editor.plugin();
};

}  // namespace

TEST_F(ClapEditor, EmbedsWithThisPlatformsApiAtTheSizesItsScaleGivesAndIsNeverFloating)
{
    const std::string api = ClapPluginInstance::platformWindowApi();
    EXPECT_TRUE(plugin->guiIsApiSupported(api.c_str(), false));
    EXPECT_FALSE(plugin->guiIsApiSupported(api.c_str(), true));
    EXPECT_FALSE(plugin->guiIsApiSupported(api == "x11" ? "win32" : "x11", false));
    EXPECT_FALSE(plugin->guiIsApiSupported("wayland", false));
    ASSERT_TRUE(plugin->guiCreate());
    const auto* gui = plugin->extension<clap::PluginGui>(clap::kExtGui);
    ASSERT_NE(gui, nullptr);
    EXPECT_FALSE(gui->canResize(plugin->raw()));
    // Hosts ask for the hints whatever canResize said (qtractor complains without them).
    clap::GuiResizeHints hints{};
    ASSERT_TRUE(gui->getResizeHints(plugin->raw(), &hints));
    EXPECT_FALSE(hints.canResizeHorizontally || hints.canResizeVertically);
    EXPECT_TRUE(hints.preserveAspectRatio);
    EXPECT_EQ(hints.aspectRatioWidth * static_cast<std::uint32_t>(kEditorHeight),
              hints.aspectRatioHeight * static_cast<std::uint32_t>(kEditorWidth));
    EXPECT_TRUE(gui->setSize(plugin->raw(), kEditorWidth, kEditorHeight));
    EXPECT_FALSE(gui->setSize(plugin->raw(), kEditorWidth + 1, kEditorHeight));
    ASSERT_TRUE(plugin->guiSetScale(2.0));
    EXPECT_TRUE(gui->setSize(plugin->raw(), 2 * kEditorWidth, 2 * kEditorHeight));
    EXPECT_FALSE(gui->setSize(plugin->raw(), kEditorWidth, kEditorHeight));
    EXPECT_FALSE(plugin->guiSetScale(0.0));
}

TEST_F(ClapEditor, ShowHideAndDestroyInAnyOrderLeaveNothingBehind)
{
    EXPECT_FALSE(plugin->guiShow()) << "shown before it was created";
    ASSERT_TRUE(plugin->guiCreate());
    EXPECT_TRUE(plugin->guiHide());
    EXPECT_TRUE(plugin->guiShow());
    ASSERT_TRUE(plugin->guiSetParent(parent()));
    turn(5);
    EXPECT_EQ(window.childCount(), 1);
    // The host drives the editor: a timer, and a watch on its X connection.
    EXPECT_EQ(plugin->host().timerIds().size(), 1u);
    EXPECT_EQ(plugin->host().watchedFds().size(), kDescriptorWatches);
    EXPECT_TRUE(plugin->guiHide());
    turn(2);
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_EQ(editor.loopEntries(), 0u);
    EXPECT_TRUE(plugin->guiShow());
    EXPECT_TRUE(plugin->guiShow());
    turn(2);
    EXPECT_EQ(window.childCount(), 1);
    plugin->guiDestroy();
    plugin->guiDestroy();
    turn(2);
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_EQ(editor.loopEntries(), 0u);
    EXPECT_EQ(editor.misuses(), 0);
}

TEST_F(ClapEditor, ADragReachesAnInactiveHostAsOneGestureThroughFlushes)
{
    ASSERT_TRUE(editor.open(window.handle()));
    turn(30);
    const int flushesBefore = editor.flushRequests();
    const layout::Row& gain = layoutRow("Gain");
    const double before = editor.value(gain.parameter);
    ASSERT_TRUE(editor.edits().empty());
    dragUp(editor, window, pointer, gain, 40);
    const double after = editor.value(gain.parameter);
    EXPECT_GT(after, before);
    EXPECT_GT(editor.flushRequests(), flushesBefore);
    expectOneGesture(editor.edits(), gain.parameter, after);
    EXPECT_EQ(editor.misuses(), 0);
}

// A host that offers neither timers nor descriptor watching still gets an editor that opens.
TEST(ClapEditorWithoutHostLoop, OpensWithoutTimerOrDescriptorSupport)
{
    HostWindow window{kEditorWidth, kEditorHeight};
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
