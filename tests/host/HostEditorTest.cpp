// What only the VST 2.4 editor meets (what every format's editor must do is in
// tests/editors): the capture of every presented frame, and the call orders VST 2.4 hosts
// make that other formats rule out.
#include "HostEditorWindow.h"
#include "support/CapturedFrame.h"

#include <cstdio>
#include <fstream>

namespace
{

using HostEditor = HostEditorWindow;

TEST_F(HostEditor, EveryPresentedFrameReplacesTheCapture)
{
    const std::string capture = CapturedFrame::path();
    const std::string partial = capture + ".part";
    std::remove(capture.c_str());
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    for (int attempt = 0; attempt < 100 && CapturedFrame::read().width == 0; ++attempt)
        idleFor(1);
    idleFor(10);
    instance.dispatch(effEditClose);
    EXPECT_EQ(CapturedFrame::read().width, kWidth);
    EXPECT_FALSE(std::ifstream(partial).good()) << "a later frame could not replace the first one";
}

TEST_F(HostEditor, UnusualCallOrdersAreSafe)
{
    instance.dispatch(effEditIdle);
    instance.dispatch(effEditClose);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1) << "a second open without a close";
    idleFor(2);
    EXPECT_EQ(window.childCount(), 1);
    instance.dispatch(effEditClose);
    instance.dispatch(effEditClose);
    EXPECT_EQ(window.childCount(), 0);
}

TEST_F(HostEditor, ClosingTheEffectWithItsEditorOpenIsSafe)
{
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    idleFor(2);
    EXPECT_EQ(instance.close(), 1);
    window.pumpMessages();
    EXPECT_EQ(window.childCount(), 0);
}

// A host that destroyed its window and then closes the effect without closing the editor.
TEST_F(HostEditor, ClosingTheEffectAfterTheHostWindowIsGoneIsSafe)
{
    HostWindow doomed{kWidth, kHeight};
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, doomed.handle()), 1);
    idleEditor(doomed, instance, 3);
    doomed.destroy();
    EXPECT_EQ(instance.close(), 1);
}

}  // namespace
