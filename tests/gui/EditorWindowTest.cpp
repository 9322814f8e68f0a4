// GoogleTest and HostPointer come before the X11 headers, whose macros (None, Bool, ...)
// would break them.
#include <gtest/gtest.h>

#include "host/HostPointer.h"

#include "DawWindow.h"
#include "TestEditor.h"
#include "support/CapturedFrame.h"

#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <string>
#include <thread>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;

class EditorWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(daw.valid() && pointer.valid()) << "no X display: run under xvfb-run";
        ASSERT_TRUE(editor.open(daw.handle()));
        ASSERT_EQ(daw.children().size(), 1u) << "the editor's window lives inside the DAW's";
    }
    void TearDown() override { editor.close(); }

    void pump() { editor.idle(); }

    bool waitForCalls(std::size_t count)
    {
        return DawWindow::waitFor([&] { pump(); }, [&] { return editor.calls.size() >= count; });
    }

    DawWindow daw{kWidth, kHeight};
    HostPointer pointer{daw.handle()};
    TestEditor editor;
};

TEST_F(EditorWindow, PresentedFrameShowsWhatTheEditorDrew)
{
    std::remove(CapturedFrame::path().c_str());
    editor.renderFrame();
    const CapturedFrame frame = CapturedFrame::read();
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
    const std::uint8_t* topLeft = frame.pixel(10, 10);
    EXPECT_EQ(topLeft[0], 255);
    EXPECT_NEAR(topLeft[1], 128, 1);
    EXPECT_EQ(topLeft[2], 0);
    const std::uint8_t* bottomRight = frame.pixel(kWidth - 10, kHeight - 10);
    EXPECT_EQ(bottomRight[0], 0);
    EXPECT_NEAR(bottomRight[2], 128, 1);
    const std::uint8_t* justBelowTheQuad = frame.pixel(10, kHeight / 2 + 1);
    EXPECT_EQ(justBelowTheQuad[0], 0);
}

TEST_F(EditorWindow, ButtonsArriveWithYUpwardsAndTheirButtonWords)
{
    pointer.moveTo(100, 0);
    pointer.press(HostPointer::Left);
    pointer.release(HostPointer::Left);
    ASSERT_TRUE(waitForCalls(3));
    const auto& calls = editor.calls;
    const auto& down = calls[calls.size() - 2];
    const auto& up = calls.back();
    EXPECT_EQ(down.kind, TestEditor::HookCall::Down);
    EXPECT_EQ(down.buttons, 2);
    EXPECT_EQ(down.x, 100);
    EXPECT_EQ(down.y, kHeight) << "the top row is y = height";
    EXPECT_EQ(up.kind, TestEditor::HookCall::Up);
    EXPECT_EQ(up.buttons, 0) << "a left release carries modifiers only";

    editor.calls.clear();
    pointer.moveTo(5, kHeight - 1);
    pointer.press(HostPointer::Right, HostPointer::Shift);
    pointer.release(HostPointer::Right, HostPointer::Shift);
    ASSERT_TRUE(waitForCalls(3));
    const auto& rightDown = editor.calls[editor.calls.size() - 2];
    EXPECT_EQ(rightDown.buttons, 8 + 16);
    EXPECT_EQ(rightDown.y, 1) << "the bottom row is y = 1";
    EXPECT_EQ(editor.calls.back().buttons, 8 + 16);

    editor.calls.clear();
    pointer.press(HostPointer::Middle);
    pointer.release(HostPointer::Middle);
    ASSERT_TRUE(waitForCalls(2));
    EXPECT_EQ(editor.calls[0].buttons, 4);
    EXPECT_EQ(editor.calls[1].buttons, 4);
}

TEST_F(EditorWindow, WheelNotchesArriveAs120And65416)
{
    pointer.moveTo(200, 200);
    pointer.press(HostPointer::WheelUp);
    pointer.release(HostPointer::WheelUp);
    pointer.press(HostPointer::WheelDown);
    pointer.release(HostPointer::WheelDown);
    ASSERT_TRUE(DawWindow::waitFor([&] { pump(); },
                                   [&]
                                   {
                                       int wheels = 0;
                                       for (const auto& call : editor.calls)
                                           wheels += call.kind == TestEditor::HookCall::Wheel;
                                       return wheels == 2;
                                   }));
    std::vector<int> deltas;
    for (const auto& call : editor.calls)
    {
        if (call.kind == TestEditor::HookCall::Wheel)
            deltas.push_back(call.buttons);
    }
    EXPECT_EQ(deltas, (std::vector<int>{120, 65416}));
}

TEST_F(EditorWindow, PointerMovesReportPositionAndModifiers)
{
    editor.cursorForNextMove = platform::PointerCursor::Hand;
    pointer.moveTo(300, 24);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(editor.calls.back().kind, TestEditor::HookCall::Move);
    EXPECT_EQ(editor.calls.back().x, 300);
    EXPECT_EQ(editor.calls.back().y, kHeight - 24);
    EXPECT_EQ(editor.calls.back().buttons, 0);
}

TEST_F(EditorWindow, PointerLeavingTheWindowEndsTheHover)
{
    pointer.moveTo(300, 300);
    ASSERT_TRUE(waitForCalls(1));
    pointer.moveTo(kWidth + 40, 300);
    const auto leaveArrived = [&]
    { return !editor.calls.empty() && editor.calls.back().kind == TestEditor::HookCall::Leave; };
    ASSERT_TRUE(DawWindow::waitFor([&] { pump(); }, leaveArrived));

    // Grabbing the pointer for a press is no departure.
    editor.calls.clear();
    pointer.moveTo(100, 100);
    pointer.press(HostPointer::Left);
    pointer.release(HostPointer::Left);
    ASSERT_TRUE(waitForCalls(3));
    for (const auto& call : editor.calls)
        EXPECT_NE(call.kind, TestEditor::HookCall::Leave);
}

TEST_F(EditorWindow, IdleRendersAtMostOneFramePer15MsAndRepaintsAlwaysRender)
{
    // Idle calls 5 ms apart render every third call.
    editor.fakeTick = 100000;
    editor.idle();
    const int before = editor.frames - editor.paintFrames;
    for (int i = 0; i < 30; ++i)
    {
        editor.fakeTick += 5;
        editor.idle();
    }
    EXPECT_EQ(editor.frames - editor.paintFrames - before, 10);
    editor.fakeTick = 0;

    const int paintsBefore = editor.paintFrames;
    for (int i = 0; i < 3; ++i)
    {
        daw.requestRepaint(daw.children().at(0));
        ASSERT_TRUE(DawWindow::waitFor([&] { pump(); }, [&] { return editor.paintFrames > paintsBefore + i; }));
    }
    EXPECT_EQ(editor.paintFrames, paintsBefore + 3);
}

// Heap bytes in use: live allocations only, unlike the resident size, which caches and
// other tests running at the same time blur.
long heapKilobytesInUse()
{
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

TEST(EditorLifecycle, OpenAndClose50TimesLeavesNothingBehind)
{
    DawWindow daw(kWidth, kHeight);
    ASSERT_TRUE(daw.valid());
    TestEditor editor;
    // The first opens load the driver and fill its caches.
    for (int warmUp = 0; warmUp < 10; ++warmUp)
    {
        ASSERT_TRUE(editor.open(daw.handle()));
        editor.renderFrame();
        editor.close();
    }
    const long before = heapKilobytesInUse();
    for (int cycle = 0; cycle < 50; ++cycle)
    {
        ASSERT_TRUE(editor.open(daw.handle()));
        editor.renderFrame();
        editor.idle();
        editor.close();
        ASSERT_TRUE(daw.children().empty()) << "cycle " << cycle;
    }
    EXPECT_LT(heapKilobytesInUse() - before, 1024) << "memory grew over 50 open/close cycles";
}

}  // namespace
