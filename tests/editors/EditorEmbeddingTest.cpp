// What every format's editor must do inside a host's window, run once per format: a row of
// the table below is all a format adds. Each case drives the editor only through the
// format's own calls (FormatEditor), the host's window and real pointer input.
#include "EditorDriving.h"
#include "FormatEditor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>

#if !defined(_WIN32)
#include <X11/Xlib.h>
#endif

// A row shows as its format's name in GoogleTest's messages.
void PrintTo(const FormatRow& row, std::ostream* out)
{
    *out << row.name;
}

namespace
{

constexpr EditorSize kDesignSize{kEditorWidth, kEditorHeight};

// Timers and descriptor watches an open editor keeps in its host's loop: CLAP's timer and
// VST3's run-loop timer everywhere, and on Linux a watch on the editor's X connection each.
#if defined(_WIN32)
constexpr std::size_t kClapLoopEntries = 1;
constexpr std::size_t kVst3LoopEntries = 0;  // no run loop on Windows: the editor runs on its window
#else
constexpr std::size_t kClapLoopEntries = 2;
constexpr std::size_t kVst3LoopEntries = 2;
#endif

const FormatRow kFormats[] = {
    {"Vst2", makeVst2Editor, HostScale::anytime, 0},
    {"Clap", makeClapEditor, HostScale::anytime, kClapLoopEntries},
    {"Vst3", makeVst3Editor, HostScale::anytime, kVst3LoopEntries},
#if !defined(_WIN32)
    {"Lv2", makeLv2Editor, HostScale::atOpening, 0},
#endif
};

#if !defined(_WIN32)
int xErrors = 0;
int countXError(Display*, XErrorEvent*)
{
    ++xErrors;
    return 0;
}
#endif

class EditorEmbedding : public ::testing::TestWithParam<FormatRow>
{
protected:
    static void SetUpTestSuite()
    {
#if !defined(_WIN32)
        XSetErrorHandler(countXError);
#endif
    }

    void SetUp() override
    {
        ASSERT_TRUE(window.valid() && pointer.valid()) << "no window system (run under Xvfb)";
        // Park the pointer away from every control.
        pointer.moveTo(kEditorWidth + 50, 10);
        editor = GetParam().make();
        ASSERT_NE(editor, nullptr);
#if !defined(_WIN32)
        xErrors = 0;
#endif
    }

    void TearDown() override
    {
        if (editor == nullptr)
            return;
        editor->close();
        turn(1);
        EXPECT_EQ(window.childCount(), 0);
        EXPECT_EQ(editor->loopEntries(), 0u) << "the closed editor still runs in the host's loop";
        EXPECT_EQ(editor->misuses(), 0);
#if !defined(_WIN32)
        EXPECT_EQ(xErrors, 0);
#endif
    }

    void turn(int turns) { turnLoop(*editor, window, turns); }

    // Opens into the host's window and waits for the first frame.
    CapturedFrame openedFrame()
    {
        std::remove(CapturedFrame::path().c_str());
        if (!editor->open(window.handle()))
            return {};
        return presentedFrame(*editor, window);
    }

    HostWindow window{kEditorWidth, kEditorHeight};
    HostPointer pointer{window.handle()};
    std::unique_ptr<FormatEditor> editor;
};

TEST_P(EditorEmbedding, OpensInTheHostsWindowAtItsSizeAndDraws)
{
    if (const auto asked = editor->size())
    {
        EXPECT_EQ(*asked, kDesignSize);
    }
    const CapturedFrame frame = openedFrame();
    ASSERT_EQ(frame.width, kEditorWidth) << "no frame was presented";
    ASSERT_EQ(frame.height, kEditorHeight);
    EXPECT_EQ(window.childCount(), 1);
    EXPECT_EQ(editor->size(), kDesignSize);
    EXPECT_EQ(editor->loopEntries(), GetParam().loopEntriesWhileOpen);
#if !defined(_WIN32)
    turn(10);
    EXPECT_TRUE(window.showsDrawnEditor(kEditorWidth, kEditorHeight)) << "the X server shows no faceplate";
#endif

    // The other platform's build draws the same editor: the Linux run keeps each format's
    // first frame, the Windows run compares with it.
    const std::string frameName = GetParam().name + ".png";
    if (const char* out = std::getenv("VANTOR_REFERENCE_FRAMES_OUT"))
    {
        std::ifstream source(CapturedFrame::path(), std::ios::binary);
        std::ofstream copy(std::string(out) + "/" + frameName, std::ios::binary);
        copy << source.rdbuf();
    }
    if (const char* in = std::getenv("VANTOR_REFERENCE_FRAMES_IN"))
    {
        const CapturedFrame reference = CapturedFrame::read(std::string(in) + "\\" + frameName);
        ASSERT_EQ(reference.width, kEditorWidth) << "no reference frame in " << in;
        // Red, green and blue together differ by less than 8 per pixel on average.
        EXPECT_LT(meanDifference(frame, reference, 0, 0, kEditorWidth, kEditorHeight), 8.0);
    }
}

// One editor behind every format: each presents the VST 2.4 editor's first frame.
TEST_P(EditorEmbedding, PresentsTheSameFirstFrameAsTheVst24Editor)
{
    if (GetParam().make == makeVst2Editor)
        GTEST_SKIP() << "the frame the others are compared with";
    CapturedFrame reference;
    {
        std::unique_ptr<FormatEditor> vst2 = makeVst2Editor();
        ASSERT_NE(vst2, nullptr);
        std::remove(CapturedFrame::path().c_str());
        ASSERT_TRUE(vst2->open(window.handle()));
        reference = presentedFrame(*vst2, window);
        vst2->close();
        window.pumpMessages();
    }
    ASSERT_EQ(reference.width, kEditorWidth) << "the VST 2.4 editor presented no frame";
    const CapturedFrame frame = openedFrame();
    ASSERT_EQ(frame.width, kEditorWidth) << "no frame was presented";
    EXPECT_EQ(frame.rgba, reference.rgba);
}

// A host may hand over a window that is gone by then. The editor says no and leaves nothing
// running, and the next opening into a real window works and draws. Also run in a process of
// its own per format (format_editor_tests_alone_<format>), where the failed opening is the first.
TEST_P(EditorEmbedding, AFailedOpeningAnswersFalseAndTheNextOneDraws)
{
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        HostWindow gone{kEditorWidth, kEditorHeight};
        gone.destroy();
        EXPECT_FALSE(editor->open(gone.handle()));
        EXPECT_EQ(editor->loopEntries(), 0u);
        turn(1);
        const CapturedFrame frame = openedFrame();
        EXPECT_EQ(frame.width, kEditorWidth) << "no frame was presented";
        EXPECT_EQ(window.childCount(), 1);
#if !defined(_WIN32)
        turn(10);
        EXPECT_TRUE(window.showsDrawnEditor(kEditorWidth, kEditorHeight));
#endif
        editor->close();
        turn(1);
        EXPECT_EQ(window.childCount(), 0);
    }
}

TEST_P(EditorEmbedding, TwentyOpeningsAndClosingsLeaveNoWindowAndNothingInTheHostsLoop)
{
    for (int cycle = 0; cycle < 20; ++cycle)
    {
        SCOPED_TRACE(cycle);
        ASSERT_TRUE(editor->open(window.handle()));
        turn(2);
        ASSERT_EQ(window.childCount(), 1);
        editor->close();
        turn(1);
        ASSERT_EQ(window.childCount(), 0);
        ASSERT_EQ(editor->loopEntries(), 0u);
    }
}

TEST_P(EditorEmbedding, ADragReachesTheHostAsOneGesture)
{
    ASSERT_EQ(openedFrame().width, kEditorWidth);
    turn(20);
    const layout::Row& gain = layoutRow("Gain");
    const double before = editor->value(gain.parameter);
    ASSERT_TRUE(editor->edits().empty()) << "edits before the user touched anything";
    dragUp(*editor, window, pointer, gain, 40);
    const double after = editor->value(gain.parameter);
    EXPECT_GT(after, before);
    expectOneGesture(editor->edits(), gain.parameter, after);
}

// Hosts destroy their window when the user closes it through the window manager, and only
// then tell the editor. Whatever comes next must not end the host, and the editor must open
// again in a new window.
TEST_P(EditorEmbedding, TheHostsWindowDestroyedBeforeTheEditorIsClosedIsSurvived)
{
    for (const bool turnBeforeClosing : {true, false})
    {
        SCOPED_TRACE(turnBeforeClosing);
        {
            HostWindow doomed{kEditorWidth, kEditorHeight};
            ASSERT_TRUE(editor->open(doomed.handle()));
            for (int i = 0; i < 3; ++i)
            {
                doomed.pumpMessages();
                editor->turnLoop();
            }
            doomed.destroy();
        }
        if (turnBeforeClosing)
            turn(3);
        editor->close();
        turn(1);
        EXPECT_EQ(editor->loopEntries(), 0u);
        EXPECT_EQ(openedFrame().width, kEditorWidth) << "no frame in the next window";
        EXPECT_EQ(window.childCount(), 1);
        editor->close();
        turn(1);
    }
}

TEST_P(EditorEmbedding, TheHostsScaleSetsTheSizeItOpensAt)
{
    ASSERT_TRUE(editor->setScale(2.0));
    const EditorSize doubled{2 * kEditorWidth, 2 * kEditorHeight};
    if (const auto asked = editor->size())
    {
        EXPECT_EQ(*asked, doubled);
    }
    const CapturedFrame frame = openedFrame();
    EXPECT_EQ(frame.width, doubled.width) << "no frame at the host's scale";
    EXPECT_EQ(frame.height, doubled.height);
    EXPECT_EQ(editor->size(), doubled);
    EXPECT_EQ(window.childCount(), 1);
}

// Changed while open: the editor asks the host for its new size and takes it, in the same
// window, still driven by the host's loop.
TEST_P(EditorEmbedding, TheHostsScaleChangedWhileOpenResizesThroughTheHost)
{
    if (GetParam().scale != HostScale::anytime)
        GTEST_SKIP() << "the format sets the scale only when it opens the editor";
    ASSERT_EQ(openedFrame().width, kEditorWidth);
    const void* editorWindow = window.firstChild();
    const std::size_t requestsBefore = editor->sizeRequests().size();
    std::remove(CapturedFrame::path().c_str());
    ASSERT_TRUE(editor->setScale(1.5));
    turn(20);
    const std::vector<EditorSize> requests = editor->sizeRequests();
    ASSERT_EQ(requests.size(), requestsBefore + 1);
    EXPECT_EQ(requests.back(), (EditorSize{768, 936}));
    EXPECT_EQ(editor->size(), (EditorSize{768, 936}));
    EXPECT_EQ(presentedFrame(*editor, window).width, 768) << "no frame at the new size";
    EXPECT_EQ(window.childCount(), 1);
    EXPECT_EQ(window.firstChild(), editorWindow) << "the editor was opened again";
    EXPECT_EQ(editor->loopEntries(), GetParam().loopEntriesWhileOpen);
}

INSTANTIATE_TEST_SUITE_P(Formats, EditorEmbedding, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatRow>& row) { return row.param.name; });

}  // namespace
