// The editor as a VST3 host embeds it through IPlugView: in the host's X11 (or Win32) window,
// driven on Linux by the host's run loop (a timer and a handler on the X connection),
// scaled by the host's content scale, resized through the plug frame, a drag reaching the
// host's component handler as one gesture, and any order of attach, remove and release safe.
#include "Vst3PlugFrame.h"
#include "Vst3TestSupport.h"
#include "editor/EditorLayout.h"
#include "host/HostPointer.h"
#include "host/HostWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
#if defined(_WIN32)
constexpr const char* kPlatformType = vst3::kPlatformTypeHwnd;
constexpr const char* kOtherPlatformType = vst3::kPlatformTypeX11EmbedWindowId;
constexpr std::size_t kLoopEntries = 0;  // no run loop on Windows: the editor runs on its window
#else
constexpr const char* kPlatformType = vst3::kPlatformTypeX11EmbedWindowId;
constexpr const char* kOtherPlatformType = vst3::kPlatformTypeHwnd;
constexpr std::size_t kLoopEntries = 1;
#endif

const layout::Row& row(const std::string& name)
{
    for (const layout::Row& candidate : layout::controlRows())
    {
        if (name == candidate.name)
            return candidate;
    }
    throw std::runtime_error("no layout row " + name);
}

class Vst3Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.valid() && pointer.valid()) << "no window system (run under Xvfb)";
        pointer.moveTo(kWidth + 50, 10);
        effect = createdEffect();
        ASSERT_NE(effect, nullptr);
        view = effect->controller()->vtable->createView(effect->controller(), vst3::kViewTypeEditor);
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(view->vtable->setFrame(view, frame.frame()), vst3::kResultOk);
    }

    void TearDown() override
    {
        if (view != nullptr)
        {
            view->vtable->removed(view);
            view->vtable->setFrame(view, nullptr);
            vst3::release(view);
        }
        EXPECT_EQ(loop.timerCount(), 0u);
        EXPECT_EQ(loop.watchCount(), 0u);
        EXPECT_EQ(frame.misuses() + loop.misuses(), 0);
        if (effect != nullptr)
        {
            EXPECT_EQ(effect->componentHandler().misuses(), 0);
        }
    }

    bool attach() { return view->vtable->attached(view, window.handle(), kPlatformType) == vst3::kResultOk; }

    vst3::ViewRect size()
    {
        vst3::ViewRect rect{};
        EXPECT_EQ(view->vtable->getSize(view, &rect), vst3::kResultOk);
        return rect;
    }

    // A host's UI loop turning for `turns` rounds of about 10 ms.
    void runLoop(int turns)
    {
        for (int i = 0; i < turns; ++i)
        {
            window.pumpMessages();
            loop.pump(0);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // A layout position (from the faceplate's bottom-left corner) in window pixels.
    static std::pair<int, int> windowPoint(float relativeX, float relativeY)
    {
        return {static_cast<int>(std::lround(kWidth / 2.0f + layout::leftEdge(kWidth) + relativeX)),
                static_cast<int>(std::lround(kHeight / 2.0f - layout::bottomEdge(kHeight) - relativeY))};
    }

    void click(int x, int y)
    {
        pointer.moveTo(x, y);
        runLoop(3);
        pointer.press(HostPointer::Left);
        runLoop(3);
        pointer.release(HostPointer::Left);
        runLoop(3);
    }

    void dragUp(const layout::Row& control, int pixels)
    {
        const auto [x, y] = windowPoint(control.centre[0], control.centre[1]);
        pointer.moveTo(x, y);
        runLoop(5);
        pointer.press(HostPointer::Left);
        runLoop(5);
        for (int step = 1; step <= 4; ++step)
        {
            pointer.moveTo(x, y - pixels * step / 4);
            runLoop(3);
        }
        pointer.release(HostPointer::Left);
        runLoop(10);
    }

#if !defined(_WIN32)
    // What the X server shows once the editor stopped changing it, the host's loop turning
    // all the while: first past the opening's version line (120 idle calls, one a timer
    // period of 15 ms at most), which stays the same while it shows.
    std::vector<unsigned char> settledScreen()
    {
        runLoop(200);
        std::vector<unsigned char> shown = window.shownEditorPixels(kWidth, kHeight);
        for (int look = 0; look < 40; ++look)
        {
            runLoop(30);
            std::vector<unsigned char> next = window.shownEditorPixels(kWidth, kHeight);
            if (next == shown)
                break;
            shown = std::move(next);
        }
        return shown;
    }
#endif

    Vst3RunLoop& loop = vst3RunLoop();
    Vst3PlugFrame frame{loop};
    HostWindow window{kWidth, kHeight};
    HostPointer pointer{window.handle()};
    std::unique_ptr<Vst3PluginInstance> effect;
    vst3::IPlugView* view = nullptr;
};

}  // namespace

TEST_F(Vst3Editor, EmbedsInTheHostsWindowDrivenByItsRunLoopAndLeavesNothingWhenRemoved)
{
    EXPECT_EQ(view->vtable->isPlatformTypeSupported(view, kPlatformType), vst3::kResultTrue);
    EXPECT_EQ(view->vtable->isPlatformTypeSupported(view, kOtherPlatformType), vst3::kResultFalse);
    EXPECT_EQ(view->vtable->canResize(view), vst3::kResultFalse);
    vst3::ViewRect rect = size();
    EXPECT_EQ(rect.right - rect.left, kWidth);
    EXPECT_EQ(rect.bottom - rect.top, kHeight);
    vst3::ViewRect dragged{0, 0, kWidth + 40, kHeight - 10};
    ASSERT_EQ(view->vtable->checkSizeConstraint(view, &dragged), vst3::kResultOk);
    EXPECT_EQ(dragged.right, kWidth);
    EXPECT_EQ(dragged.bottom, kHeight);

    EXPECT_NE(view->vtable->attached(view, window.handle(), kOtherPlatformType), vst3::kResultOk);
    ASSERT_TRUE(attach());
    runLoop(20);
    EXPECT_EQ(window.childCount(), 1);
    EXPECT_EQ(loop.timerCount(), kLoopEntries);
    EXPECT_EQ(loop.watchCount(), kLoopEntries);
#if !defined(_WIN32)
    EXPECT_TRUE(window.showsDrawnEditor(kWidth, kHeight));
#endif
    EXPECT_EQ(view->vtable->removed(view), vst3::kResultOk);
    runLoop(2);
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_EQ(loop.timerCount(), 0u);
    EXPECT_EQ(loop.watchCount(), 0u);
}

// A host may hand over a window that is gone by then: attached says no and leaves nothing
// running, and the view attaches to a real window next and draws. Also run in a process of
// its own (vst3_editor_tests_alone), where the failed opening is the first.
TEST_F(Vst3Editor, AFailedAttachAnswersFalseAndTheNextOneDraws)
{
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        HostWindow gone{kWidth, kHeight};
        gone.destroy();
        EXPECT_EQ(view->vtable->attached(view, gone.handle(), kPlatformType), vst3::kResultFalse);
        EXPECT_EQ(loop.timerCount(), 0u);
        ASSERT_TRUE(attach());
        runLoop(20);
        EXPECT_EQ(window.childCount(), 1);
#if !defined(_WIN32)
        EXPECT_TRUE(window.showsDrawnEditor(kWidth, kHeight));
#endif
        EXPECT_EQ(view->vtable->removed(view), vst3::kResultOk);
        runLoop(1);
    }
}

TEST_F(Vst3Editor, ADragReachesTheHostAsOneGesture)
{
    ASSERT_TRUE(attach());
    runLoop(30);
    const layout::Row& gain = row("Gain");
    const vst3::ParamId id = static_cast<vst3::ParamId>(gain.parameter);
    const double before = effect->controller()->vtable->getParamNormalized(effect->controller(), id);
    dragUp(gain, 40);
    const double after = effect->controller()->vtable->getParamNormalized(effect->controller(), id);
    EXPECT_GT(after, before);

    const auto& edits = effect->componentHandler().edits();
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front().step, Vst3ComponentHandler::EditStep::begin);
    EXPECT_EQ(edits.back().step, Vst3ComponentHandler::EditStep::end);
    for (std::size_t i = 1; i + 1 < edits.size(); ++i)
        EXPECT_EQ(edits[i].step, Vst3ComponentHandler::EditStep::perform) << i;
    for (const auto& edit : edits)
        EXPECT_EQ(edit.id, id);
    EXPECT_FLOAT_EQ(static_cast<float>(edits[edits.size() - 2].value), static_cast<float>(after));
}

// Keys a host passes on itself (onKeyDown): Ctrl+Z undoes the drag and Ctrl+Shift+Z redoes
// it, each reaching the host as a gesture; a key the editor does not use goes back.
TEST_F(Vst3Editor, UndoAndRedoKeysPassedByTheHostReachItAsGestures)
{
    ASSERT_TRUE(attach());
    runLoop(30);
    const layout::Row& gain = row("Gain");
    const vst3::ParamId id = static_cast<vst3::ParamId>(gain.parameter);
    const auto value = [&] { return effect->controller()->vtable->getParamNormalized(effect->controller(), id); };
    const double before = value();
    dragUp(gain, 40);
    const double after = value();
    ASSERT_GT(after, before);

    EXPECT_EQ(view->vtable->onKeyDown(view, u'q', 0, 0), vst3::kResultFalse);
    const std::size_t editsBefore = effect->componentHandler().edits().size();
    EXPECT_EQ(view->vtable->onKeyDown(view, u'z', 0, vst3::kCommandKey), vst3::kResultTrue);
    runLoop(5);
    EXPECT_FLOAT_EQ(static_cast<float>(value()), static_cast<float>(before));
    const auto& edits = effect->componentHandler().edits();
    ASSERT_EQ(edits.size(), editsBefore + 3);
    EXPECT_EQ(edits[editsBefore].step, Vst3ComponentHandler::EditStep::begin);
    EXPECT_EQ(edits.back().step, Vst3ComponentHandler::EditStep::end);
    EXPECT_EQ(edits.back().id, id);

    EXPECT_EQ(view->vtable->onKeyDown(view, u'Z', 0, vst3::kCommandKey | vst3::kShiftKey), vst3::kResultTrue);
    runLoop(5);
    EXPECT_FLOAT_EQ(static_cast<float>(value()), static_cast<float>(after));
}

TEST_F(Vst3Editor, TheContentScaleSetsTheSizeAndAChangeWhileOpenGoesThroughTheFrame)
{
    auto* scale =
        vst3::queryInterface<vst3::IPlugViewContentScaleSupport>(view, vst3::kIPlugViewContentScaleSupportIid);
    ASSERT_NE(scale, nullptr);
    ASSERT_EQ(scale->vtable->setContentScaleFactor(scale, 2.0f), vst3::kResultOk);
    vst3::ViewRect rect = size();
    EXPECT_EQ(rect.right, 1024);
    EXPECT_EQ(rect.bottom, 1248);
    ASSERT_TRUE(attach());
    runLoop(10);
    EXPECT_EQ(window.childCount(), 1);

    // Changed while open: the editor asks the frame for its new size and takes it, still
    // driven by the run loop.
    ASSERT_EQ(scale->vtable->setContentScaleFactor(scale, 1.5f), vst3::kResultOk);
    runLoop(20);
    ASSERT_EQ(frame.resizeRequests().size(), 1u);
    EXPECT_EQ(frame.resizeRequests().back().right, 768);
    EXPECT_EQ(frame.resizeRequests().back().bottom, 936);
    rect = size();
    EXPECT_EQ(rect.right, 768);
    EXPECT_EQ(rect.bottom, 936);
    EXPECT_EQ(window.childCount(), 1);
    EXPECT_EQ(loop.timerCount(), kLoopEntries);
    EXPECT_EQ(loop.watchCount(), kLoopEntries);
    EXPECT_NE(scale->vtable->setContentScaleFactor(scale, 0.0f), vst3::kResultOk);
    vst3::release(scale);
}

TEST_F(Vst3Editor, OpensAndClosesTwentyTimesAndAHostKeepingTheViewCannotCrashIt)
{
    for (int cycle = 0; cycle < 20; ++cycle)
    {
        ASSERT_TRUE(attach()) << cycle;
        runLoop(2);
        ASSERT_EQ(window.childCount(), 1) << cycle;
        ASSERT_EQ(view->vtable->removed(view), vst3::kResultOk);
        runLoop(1);
        ASSERT_EQ(window.childCount(), 0) << cycle;
    }
    // The host lets go of the effect first and keeps calling the view.
    effect.reset();
    vst3::ViewRect rect{};
    view->vtable->getSize(view, &rect);
    EXPECT_NE(view->vtable->attached(view, window.handle(), kPlatformType), vst3::kResultOk);
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_EQ(view->vtable->removed(view), vst3::kResultOk);
    EXPECT_EQ(loop.timerCount(), 0u);
    view->vtable->setFrame(view, nullptr);
    vst3::release(view);
    view = nullptr;
}

#if !defined(_WIN32)
// A host's popup menu (a window no window manager handles) opens over part of the idle editor
// and closes again: what it uncovered shows the editor's picture at once, with nothing in the
// editor changed meanwhile and the editor driven only through the host's run loop.
TEST_F(Vst3Editor, WhatAPopupUncoversShowsThePictureAgainWithNothingChanged)
{
    ASSERT_TRUE(attach());
    const std::vector<unsigned char> before = settledScreen();
    ASSERT_TRUE(window.showsDrawnEditor(kWidth, kHeight));
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        window.setCovered(HostWindow::Cover::LeftHalf);
        runLoop(20);
        window.setCovered(HostWindow::Cover::Uncovered);
        runLoop(3);
        const std::vector<unsigned char> after = window.shownEditorPixels(kWidth, kHeight);
        ASSERT_EQ(after.size(), before.size());
        EXPECT_TRUE(after == before) << "the uncovered part does not show the picture";
    }
}

// Keys typed into "Save as a new preset..." that the host passes on through onKeyDown change
// nothing but the menu's text, with the pointer away from it: each must reach the screen.
TEST_F(Vst3Editor, EveryKeyTheHostPassesOnShowsOnScreen)
{
    ASSERT_TRUE(attach());
    const layout::Row& wordmark = row("Preset menu");
    const auto [menuX, menuY] = windowPoint(wordmark.centre[0], wordmark.centre[1]);
    click(menuX, menuY);
    // The list hangs from the wordmark's bottom edge, its rows 18 pixels apart below a margin;
    // saving is the sixth.
    const auto [cornerX, cornerY] = windowPoint(wordmark.origin[0], wordmark.origin[1]);
    click(cornerX + 40, cornerY + 15 + 5 * 18);
    pointer.moveTo(kWidth + 50, 10);
    std::vector<unsigned char> before = settledScreen();
    for (const char16_t key : {u'm', u'i', u'x'})
    {
        EXPECT_EQ(view->vtable->onKeyDown(view, key, 0, 0), vst3::kResultTrue);
        runLoop(6);
        const std::vector<unsigned char> after = window.shownEditorPixels(kWidth, kHeight);
        EXPECT_NE(after, before) << static_cast<char>(key);
        before = after;
    }
    EXPECT_EQ(view->vtable->onKeyDown(view, 0, vst3::kKeyBack, 0), vst3::kResultTrue);
    runLoop(6);
    EXPECT_NE(window.shownEditorPixels(kWidth, kHeight), before) << "a key that shortens the name";
}
#endif
