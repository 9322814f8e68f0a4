// Every control of the editor through the built module, as a user drives it: real X pointer
// and key events in a real host window; the host sees the parameter change as one gesture.
#include "HostEditorSession.h"

#include <X11/keysym.h>

#include <algorithm>

namespace
{

constexpr float kDialStep = 0.005f;
constexpr float kDialFineStep = 0.001f;
constexpr float kSliderHandle = layout::kSliderHandleLength;

using Controls = HostEditorSession;

FrameRegion screenBoxOf(const layout::Row& r)
{
    const auto lowLeft = windowPoint(r.origin[0], r.origin[1]);
    const auto highRight = windowPoint(r.origin[0] + r.size[0], r.origin[1] + r.size[1]);
    return FrameRegion{std::max(lowLeft.x, 0), std::max(highRight.yFromTop, 0), std::min(highRight.x, 512),
                  std::min(lowLeft.yFromTop, 624)};
}

}  // namespace

TEST_F(Controls, DialsTurnByDragClampAndResetWithCtrlClick)
{
    const int sizzle = row("Sizzle").parameter;
    instance.setParameter(sizzle, 0.5f);
    idleFor(2);
    HostRecorder::instance().clear();

    // Right 20 and up 10: (dx + dy) pixels at 0.005 each.
    drag(centreOf("Sizzle"), 20, -10);
    EXPECT_NEAR(instance.getParameter(sizzle), 0.5f + 30 * kDialStep, 1e-4f);
    expectOneGesture(hostEdits(), sizzle, instance.getParameter(sizzle));

    // Shift: five times finer.
    const float before = instance.getParameter(sizzle);
    pointer.holdModifiers(HostPointer::Shift, true);
    drag(centreOf("Sizzle"), 40, 0);
    pointer.holdModifiers(HostPointer::Shift, false);
    EXPECT_NEAR(instance.getParameter(sizzle), before + 40 * kDialFineStep, 1e-4f);

    // Far beyond the end: clamped at 1, and at 0 the other way.
    drag(centreOf("Sizzle"), 0, -300);
    EXPECT_EQ(instance.getParameter(sizzle), 1.0f);
    drag(centreOf("Sizzle"), -150, 300);
    EXPECT_EQ(instance.getParameter(sizzle), 0.0f);

    // Ctrl-click: the dial's default (Sizzle 0, Punch 0.5).
    const int punch = row("Punch").parameter;
    instance.setParameter(sizzle, 0.8f);
    instance.setParameter(punch, 0.9f);
    idleFor(2);
    HostRecorder::instance().clear();
    pointer.holdModifiers(HostPointer::Control, true);
    click(centreOf("Sizzle"));
    click(centreOf("Punch"));
    pointer.holdModifiers(HostPointer::Control, false);
    idleFor(2);
    EXPECT_EQ(instance.getParameter(sizzle), 0.0f);
    EXPECT_EQ(instance.getParameter(punch), 0.5f);
    EXPECT_EQ(hostCalls(audioMasterBeginEdit).size(), 2u);
    EXPECT_EQ(hostCalls(audioMasterEndEdit).size(), 2u);
}

TEST_F(Controls, SlidersFollowThePointerOneToOne)
{
    const layout::Row& gain = row("Gain");
    const layout::Row& width = row("Stereo Width");
    instance.setParameter(gain.parameter, 0.5f);
    instance.setParameter(width.parameter, 0.5f);
    idleFor(2);
    HostRecorder::instance().clear();

    // Vertical: 40 pixels up over a 308-pixel track with a 25-pixel handle.
    drag(centreOf("Gain"), 0, -40);
    EXPECT_NEAR(instance.getParameter(gain.parameter), 0.5f + 40.0f / (gain.size[1] - kSliderHandle), 1e-4f);
    expectOneGesture(hostEdits(), gain.parameter, instance.getParameter(gain.parameter));

    // Horizontal, coarse and then with Shift (four times finer).
    const auto widthHandle = windowPoint(width.origin[0] + width.size[0] / 2.0f, width.centre[1]);
    drag(widthHandle, 59, 0);
    const float travel = width.size[0] - kSliderHandle;
    EXPECT_NEAR(instance.getParameter(width.parameter), 0.5f + 59.0f / travel, 1e-4f);
    const float before = instance.getParameter(width.parameter);
    pointer.holdModifiers(HostPointer::Shift, true);
    drag(widthHandle, -40, 0);
    pointer.holdModifiers(HostPointer::Shift, false);
    EXPECT_NEAR(instance.getParameter(width.parameter), before - 10.0f / travel, 1e-4f);

    // Clamped at the bottom; Ctrl-click returns to the centre.
    drag(centreOf("Gain"), 0, 400);
    EXPECT_EQ(instance.getParameter(gain.parameter), 0.0f);
    pointer.holdModifiers(HostPointer::Control, true);
    click(centreOf("Gain"));
    pointer.holdModifiers(HostPointer::Control, false);
    EXPECT_EQ(instance.getParameter(gain.parameter), 0.5f);
}

TEST_F(Controls, TheWheelSweepsItsRangeOverItsHeight)
{
    const layout::Row& wheel = row("EQ gain");
    instance.setParameter(wheel.parameter, 0.25f);
    idleFor(2);
    HostRecorder::instance().clear();

    drag(centreOf("EQ gain"), 0, -40);
    // The wheel's screen height is its box seen through the editor's camera (one pixel per
    // unit at depth 0, so the box's back and front corners spread it); positions run from
    // 1/112 to 111/112.
    const double eyeDistance = (kHeight / 2.0) / std::tan(0.25045475);
    double lowest = 1e9;
    double highest = -1e9;
    for (const float z : {wheel.origin[2], wheel.origin[2] + wheel.size[2]})
    {
        for (const float y : {wheel.origin[1], wheel.origin[1] + wheel.size[1]})
        {
            const double onScreen = (layout::bottomEdge(kHeight) + y) * eyeDistance / (eyeDistance - z);
            lowest = std::min(lowest, onScreen);
            highest = std::max(highest, onScreen);
        }
    }
    const float span = 1.0f - 2.0f / wheel.size[1];
    const float expected = 0.25f + static_cast<float>(40.0 / ((highest - lowest) * span));
    EXPECT_NEAR(instance.getParameter(wheel.parameter), expected, 0.004f);
    expectOneGesture(hostEdits(), wheel.parameter, instance.getParameter(wheel.parameter));

    drag(centreOf("EQ gain"), 0, -300);
    EXPECT_EQ(instance.getParameter(wheel.parameter), 1.0f);
    pointer.holdModifiers(HostPointer::Control, true);
    click(centreOf("EQ gain"));
    pointer.holdModifiers(HostPointer::Control, false);
    EXPECT_NEAR(instance.getParameter(wheel.parameter), layout::slotDefault(wheel, 0), 1e-6f);
}

TEST_F(Controls, ButtonsToggleOnEachClickAndInfoNeverReachesTheHost)
{
    const int active = row("Active switch").parameter;
    instance.setParameter(active, 1.0f);
    idleFor(2);
    HostRecorder::instance().clear();
    click(centreOf("Active switch"));
    EXPECT_EQ(instance.getParameter(active), 0.0f);
    expectOneGesture(hostEdits(), active, 0.0f);
    click(centreOf("Active switch"));
    EXPECT_EQ(instance.getParameter(active), 1.0f);

    // The Info switch is the editor's own: hosts index arrays of numParams entries with
    // what automation carries, so nothing about it may reach them.
    HostRecorder::instance().clear();
    click(centreOf("Info switch"));
    click(centreOf("Info switch"));
    EXPECT_TRUE(hostCalls(audioMasterBeginEdit).empty());
    EXPECT_TRUE(hostCalls(audioMasterAutomate).empty());
    EXPECT_TRUE(hostCalls(audioMasterEndEdit).empty());
}

// The editor's own undo and redo, where the host passes keys: each step comes back as one
// gesture per parameter, so host automation and host undo follow.
TEST_F(Controls, CtrlZUndoesAndCtrlShiftZRedoesTheUsersEdits)
{
    const int sizzle = row("Sizzle").parameter;
    const int active = row("Active switch").parameter;
    instance.setParameter(sizzle, 0.5f);
    instance.setParameter(active, 1.0f);
    idleFor(2);
    drag(centreOf("Sizzle"), 20, 0);
    const float dragged = instance.getParameter(sizzle);
    click(centreOf("Active switch"));
    ASSERT_EQ(instance.getParameter(active), 0.0f);

    const auto keys = [&](bool shift)
    {
        const auto at = centreOf("Gain");
        pointer.moveTo(at.x, at.yFromTop);
        HostRecorder::instance().clear();
        pointer.holdModifiers(HostPointer::Control | (shift ? HostPointer::Shift : HostPointer::None), true);
        pointer.tapKey(XK_z);
        pointer.holdModifiers(HostPointer::Control | HostPointer::Shift, false);
        idleFor(2);
    };
    keys(false);
    EXPECT_EQ(instance.getParameter(active), 1.0f);
    expectOneGesture(hostEdits(), active, 1.0f);
    keys(false);
    EXPECT_FLOAT_EQ(instance.getParameter(sizzle), 0.5f) << "the whole drag is one step";
    expectOneGesture(hostEdits(), sizzle, 0.5f);
    keys(true);
    EXPECT_FLOAT_EQ(instance.getParameter(sizzle), dragged);
    EXPECT_EQ(instance.getParameter(active), 1.0f) << "one step at a time";
}

TEST_F(Controls, ClosingTheEditorMidDragEndsTheGesture)
{
    const int sizzle = row("Sizzle").parameter;
    const auto at = centreOf("Sizzle");
    pointer.moveTo(at.x, at.yFromTop);
    idleFor(2);
    pointer.press(HostPointer::Left);
    idleFor(2);
    pointer.moveTo(at.x + 10, at.yFromTop);
    idleFor(2);
    ASSERT_EQ(hostCalls(audioMasterBeginEdit).size(), 1u);
    EXPECT_TRUE(hostCalls(audioMasterEndEdit).empty()) << "the gesture ended before the release";
    closeEditor();
    pointer.release(HostPointer::Left);
    const auto ends = hostCalls(audioMasterEndEdit);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].index, sizzle);
}

TEST_F(Controls, HostChangesMoveTheControls)
{
    // Each control shows a host-side change on the next frames: its pixels change.
    const struct
    {
        const char* name;
        float low;
        float high;
    } cases[] = {{"Sizzle", 0.0f, 1.0f},       {"Punch", 0.0f, 1.0f},        {"Shape", 0.0f, 1.0f},
                 {"Gain", 0.0f, 1.0f},         {"Stereo Width", 0.0f, 1.0f}, {"EQ gain", 0.0f, 1.0f},
                 {"Active switch", 0.0f, 1.0f}};
    for (const auto& c : cases)
    {
        const layout::Row& r = row(c.name);
        instance.setParameter(r.parameter, c.low);
        const CapturedFrame low = settledFrame();
        instance.setParameter(r.parameter, c.high);
        const CapturedFrame high = settledFrame();
        ASSERT_EQ(low.width, kWidth);
        EXPECT_GT(meanDifference(low, high, screenBoxOf(r)), 2.0) << c.name;
    }
}
