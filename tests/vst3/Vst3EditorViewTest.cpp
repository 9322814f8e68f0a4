// What only a VST3 host meets of the editor (what every format's editor must do is in
// tests/editors): the platform types and sizes IPlugView answers for, keys the host passes on
// through onKeyDown, a host that lets go of the effect before the view, and on Linux what the
// X server shows while the host's run loop alone drives the editor.
#include "EditorDriving.h"
#include "Vst3EditorUnderTest.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{

class Vst3Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.valid() && pointer.valid()) << "no window system (run under Xvfb)";
        pointer.moveTo(kEditorWidth + 50, 10);
        ASSERT_NE(view, nullptr);
    }

    void TearDown() override
    {
        if (editor.view() != nullptr)
            editor.close();
        EXPECT_EQ(editor.loopEntries(), 0u);
        EXPECT_EQ(editor.misuses(), 0);
    }

    bool attach() { return editor.open(window.handle()); }
    void turn(int turns) { turnLoop(editor, window, turns); }
    double value(const layout::Row& control) { return editor.value(control.parameter); }

    void click(WindowPoint at) { ::click(editor, window, pointer, at); }

#if !defined(_WIN32)
    // What the X server shows once the editor stopped changing it, the host's loop turning
    // all the while: first past the opening's version line (120 idle calls, one a timer
    // period of 15 ms at most), which stays the same while it shows.
    std::vector<unsigned char> settledScreen()
    {
        turn(200);
        std::vector<unsigned char> shown = window.shownEditorPixels(kEditorWidth, kEditorHeight);
        for (int look = 0; look < 40; ++look)
        {
            turn(30);
            std::vector<unsigned char> next = window.shownEditorPixels(kEditorWidth, kEditorHeight);
            if (next == shown)
                break;
            shown = std::move(next);
        }
        return shown;
    }
#endif

    HostWindow window{kEditorWidth, kEditorHeight};
    HostPointer pointer{window.handle()};
    Vst3EditorUnderTest editor;
    vst3::IPlugView* view = editor.view();
};

}  // namespace

TEST_F(Vst3Editor, TakesThisPlatformsWindowTypeAtItsOneSize)
{
    EXPECT_EQ(view->vtable->isPlatformTypeSupported(view, Vst3EditorUnderTest::kPlatformType), vst3::kResultTrue);
    EXPECT_EQ(view->vtable->isPlatformTypeSupported(view, Vst3EditorUnderTest::kOtherPlatformType),
              vst3::kResultFalse);
    EXPECT_EQ(view->vtable->canResize(view), vst3::kResultFalse);
    vst3::ViewRect dragged{0, 0, kEditorWidth + 40, kEditorHeight - 10};
    ASSERT_EQ(view->vtable->checkSizeConstraint(view, &dragged), vst3::kResultOk);
    EXPECT_EQ(dragged.right, kEditorWidth);
    EXPECT_EQ(dragged.bottom, kEditorHeight);
    EXPECT_FALSE(editor.setScale(0.0));
    EXPECT_NE(view->vtable->attached(view, window.handle(), Vst3EditorUnderTest::kOtherPlatformType),
              vst3::kResultOk);
    EXPECT_EQ(window.childCount(), 0);
}

// Keys a host passes on itself (onKeyDown): Ctrl+Z undoes the drag and Ctrl+Shift+Z redoes
// it, each reaching the host as a gesture; a key the editor does not use goes back.
TEST_F(Vst3Editor, UndoAndRedoKeysPassedByTheHostReachItAsGestures)
{
    ASSERT_TRUE(attach());
    turn(30);
    const layout::Row& gain = layoutRow("Gain");
    const double before = value(gain);
    dragUp(editor, window, pointer, gain, 40);
    const double after = value(gain);
    ASSERT_GT(after, before);

    EXPECT_EQ(view->vtable->onKeyDown(view, u'q', 0, 0), vst3::kResultFalse);
    const std::size_t editsBefore = editor.edits().size();
    EXPECT_EQ(view->vtable->onKeyDown(view, u'z', 0, vst3::kCommandKey), vst3::kResultTrue);
    turn(5);
    EXPECT_FLOAT_EQ(static_cast<float>(value(gain)), static_cast<float>(before));
    const std::vector<HostEdit> edits = editor.edits();
    ASSERT_EQ(edits.size(), editsBefore + 3);
    EXPECT_EQ(edits[editsBefore].step, HostEdit::Step::begin);
    EXPECT_EQ(edits.back().step, HostEdit::Step::end);
    EXPECT_EQ(edits.back().parameter, gain.parameter);

    EXPECT_EQ(view->vtable->onKeyDown(view, u'Z', 0, vst3::kCommandKey | vst3::kShiftKey), vst3::kResultTrue);
    turn(5);
    EXPECT_FLOAT_EQ(static_cast<float>(value(gain)), static_cast<float>(after));
}

// The host lets go of the effect first and keeps calling the view.
TEST_F(Vst3Editor, AHostKeepingTheViewPastTheEffectCannotCrashIt)
{
    ASSERT_TRUE(attach());
    turn(2);
    editor.close();
    editor.effect().reset();
    vst3::ViewRect rect{};
    view->vtable->getSize(view, &rect);
    EXPECT_NE(view->vtable->attached(view, window.handle(), Vst3EditorUnderTest::kPlatformType), vst3::kResultOk);
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_EQ(view->vtable->removed(view), vst3::kResultOk);
    editor.releaseView();
}

#if !defined(_WIN32)
// A host's popup menu (a window no window manager handles) opens over part of the idle editor
// and closes again: what it uncovered shows the editor's picture at once, with nothing in the
// editor changed meanwhile and the editor driven only through the host's run loop.
TEST_F(Vst3Editor, WhatAPopupUncoversShowsThePictureAgainWithNothingChanged)
{
    ASSERT_TRUE(attach());
    const std::vector<unsigned char> before = settledScreen();
    ASSERT_TRUE(window.showsDrawnEditor(kEditorWidth, kEditorHeight));
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        window.setCovered(HostWindow::Cover::LeftHalf);
        turn(20);
        window.setCovered(HostWindow::Cover::Uncovered);
        turn(3);
        const std::vector<unsigned char> after = window.shownEditorPixels(kEditorWidth, kEditorHeight);
        ASSERT_EQ(after.size(), before.size());
        EXPECT_TRUE(after == before) << "the uncovered part does not show the picture";
    }
}

// Keys typed into "Save as a new preset..." that the host passes on through onKeyDown change
// nothing but the menu's text, with the pointer away from it: each must reach the screen.
TEST_F(Vst3Editor, EveryKeyTheHostPassesOnShowsOnScreen)
{
    ASSERT_TRUE(attach());
    const layout::Row& wordmark = layoutRow("Preset menu");
    click(centreOf(wordmark));
    // The list hangs from the wordmark's bottom edge, its rows 18 pixels apart below a margin;
    // saving is the sixth.
    const WindowPoint corner = windowPoint(wordmark.origin[0], wordmark.origin[1]);
    click({corner.x + 40, corner.yFromTop + 15 + 5 * 18});
    pointer.moveTo(kEditorWidth + 50, 10);
    std::vector<unsigned char> before = settledScreen();
    for (const char16_t key : {u'm', u'i', u'x'})
    {
        EXPECT_EQ(view->vtable->onKeyDown(view, key, 0, 0), vst3::kResultTrue);
        turn(6);
        const std::vector<unsigned char> after = window.shownEditorPixels(kEditorWidth, kEditorHeight);
        EXPECT_NE(after, before) << static_cast<char>(key);
        before = after;
    }
    EXPECT_EQ(view->vtable->onKeyDown(view, 0, vst3::kKeyBack, 0), vst3::kResultTrue);
    turn(6);
    EXPECT_NE(window.shownEditorPixels(kEditorWidth, kEditorHeight), before) << "a key that shortens the name";
}
#endif
