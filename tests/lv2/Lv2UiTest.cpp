// What only an LV2 host meets of the UI binary (what every format's editor must do is in
// tests/editors), in a small host of lilv's kind under Xvfb: control ports in the user's
// units, displays fed through an instance-access record of the UI's own build, a UI that
// outlives its DSP instance, the size menu through the host's resize feature, and no parent.
#include "EditorDriving.h"
#include "Lv2EditorUnderTest.h"

#include <gtest/gtest.h>

namespace
{

class Lv2Ui : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(editor.dsp(), nullptr);
        ASSERT_TRUE(window.valid() && pointer.valid()) << "no window system (run under Xvfb)";
        pointer.moveTo(kEditorWidth + 50, 10);
    }

    void TearDown() override { editor.close(); }

    bool openUi() { return editor.open(window.handle()); }
    void turn(int turns) { turnLoop(editor, window, turns); }

    // The frame once the UI has drawn what came before; while `playing`, the DSP instance runs
    // a block of noise before each idle call.
    CapturedFrame settledFrame(bool playing = false)
    {
        editor.play(playing);
        turn(12);
        editor.play(false);
        return CapturedFrame::read();
    }

    void click(WindowPoint at) { ::click(editor, window, pointer, at); }

    // Mean absolute difference of two frames' pixels around a control.
    static double differenceAround(const CapturedFrame& a, const CapturedFrame& b, const layout::Row& control)
    {
        const WindowPoint topLeft = windowPoint(control.origin[0], control.origin[1] + control.size[1]);
        const WindowPoint bottomRight = windowPoint(control.origin[0] + control.size[0], control.origin[1]);
        return meanDifference(a, b, topLeft.x, topLeft.yFromTop, bottomRight.x, bottomRight.yFromTop);
    }

    HostWindow window{kEditorWidth, kEditorHeight};
    HostPointer pointer{window.handle()};
    Lv2EditorUnderTest editor;
};

}  // namespace

// Whatever instance-access offers, the UI opens as the host's child window and shows the
// ports' values in their units without writing them back; one refusing the instance (none
// offered, another plug-in's, another build's) opens as with hosts that lack instance-access:
// quiet displays, working controls.
TEST_F(Lv2Ui, TheDisplaysReadTheDspInstanceOnlyThroughAnAccessRecordOfTheirOwnBuild)
{
    using Access = Lv2EditorUnderTest::Access;
    const layout::Row& panel = layoutRow("stereo gain panel");
    const layout::Row& width = layoutRow("Stereo Width");
    const auto widthPort = static_cast<std::uint32_t>(width.parameter);
    for (const Access access :
         {Access::own, Access::withheld, Access::foreign, Access::otherVersion, Access::otherSize})
    {
        SCOPED_TRACE(static_cast<int>(access));
        editor.offerAccess(access);
        ASSERT_TRUE(openUi());
        EXPECT_EQ(editor.widget(), window.firstChild()) << "the widget is the editor's window inside the host's";
        const CapturedFrame quiet = settledFrame();
        ASSERT_EQ(quiet.width, kEditorWidth) << "no frame presented";
        const CapturedFrame playing = settledFrame(true);
        if (access == Access::own)
            EXPECT_GT(differenceAround(quiet, playing, panel), 0.5) << "the spectrum shows the noise";
        else
            EXPECT_EQ(differenceAround(quiet, playing, panel), 0.0) << "no source: the displays stay quiet";
        // Ports carry the user's units: the full width is 100 %.
        editor.portEvent(widthPort, 100.0f);
        EXPECT_GT(differenceAround(playing, settledFrame(), width), 1.0) << "the port's value moved the slider";
        editor.portEvent(widthPort, plainValueFor(width.parameter, kParameterTable[width.parameter].defaultValue));
        // (With its own instance the displays still fade from the noise.)
        if (access != Access::own)
        {
            EXPECT_EQ(settledFrame().rgba, quiet.rgba) << "back at the default, the same picture";
        }
        EXPECT_TRUE(editor.edits().empty()) << "the host's own changes are not written back";
        editor.close();
    }
}

// The Scope's stereo image comes from the DSP instance through the same record, counted as
// this opening's, not the one before.
TEST_F(Lv2Ui, TheScopeShowsTheDspInstancesStereoImage)
{
    const layout::Row& panel = layoutRow("stereo gain panel");
    const auto clickPanel = [&]
    {
        click(centreOf(panel));
        // Away, so that no help panel covers the Scope.
        pointer.moveTo(kEditorWidth + 50, 10);
        turn(4);
    };
    ASSERT_TRUE(openUi());
    settledFrame();
    clickPanel();
    const CapturedFrame quiet = settledFrame();
    const CapturedFrame playing = settledFrame(true);
    EXPECT_GT(differenceAround(quiet, playing, panel), 0.5) << "the Scope shows the noise";
    // The choice is remembered: the next tests expect the design's view.
    clickPanel();
}

// LV2 has the host clean the UI up first; one that frees the DSP instance before leaves a UI
// that idles on (its displays fed no more) and closes cleanly. (Another instance keeps the DSP
// binary loaded, as in a session with more than one: nothing can stand in for unloaded code.)
TEST_F(Lv2Ui, AUiOutlivingItsDspInstanceIdlesOnAndCloses)
{
    const Lv2Instance another{48000.0};
    ASSERT_TRUE(openUi());
    settledFrame(true);
    editor.dsp().reset();
    turn(20);
    editor.close();
    window.pumpMessages();
    EXPECT_EQ(window.childCount(), 0);
}

TEST_F(Lv2Ui, TheSizeMenuAsksTheHostAndResizesTheSameWindow)
{
    // The V emblem, and the menu's rows below it (automatic, then 100 % up to 300 %, 200 % the
    // fifth), in design pixels from the window's top-left corner.
    const auto pickSize = [&](int choice, int factor)
    {
        click({50 * factor, 34 * factor});
        click({73 * factor, (66 + choice * 18) * factor});
    };
    ASSERT_TRUE(openUi());
    settledFrame();
    pickSize(5, 1);
    ASSERT_FALSE(editor.sizeRequests().empty());
    EXPECT_EQ(editor.sizeRequests().back(), (EditorSize{2 * kEditorWidth, 2 * kEditorHeight}));
    EXPECT_EQ(window.firstChild(), editor.widget()) << "the host embeds one window for the UI's life";
    EXPECT_EQ(settledFrame().width, 2 * kEditorWidth);
    // Back to automatic, which the next openings remember: 100 % without a host's factor.
    pickSize(0, 2);
    EXPECT_EQ(editor.sizeRequests().back(), (EditorSize{kEditorWidth, kEditorHeight}));
    EXPECT_EQ(window.firstChild(), editor.widget());
}

TEST_F(Lv2Ui, WithoutAParentThereIsNothingToOpenIn)
{
    EXPECT_FALSE(editor.open(nullptr));
    EXPECT_EQ(window.childCount(), 0);
}
