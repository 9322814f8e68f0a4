// An editor nobody can see (covered by another window, or its host window minimised) draws
// and presents nothing, and the first idle call that finds it seen again shows the present:
// what the host changed meanwhile, and meters that fell as they would have on screen.
#include "FramePixels.h"
#include "HostEditorWindow.h"
#include "support/TestSignals.h"

#include <cstdio>
#include <fstream>
#include <functional>

namespace
{

constexpr int kGain = 5;

constexpr FrameRegion kGainSlider{20, 60, 76, 384};
constexpr FrameRegion kGainPanel{100, 70, 410, 378};

class HostVisibility : public HostEditorWindow
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEditorWindow::SetUp());
        instance.resumeAt(44100.0f);
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        idleFor(kVersionLineIdles);
        ASSERT_EQ(CapturedFrame::read().width, kWidth) << "no frame presented";
    }

    void TearDown() override { instance.dispatch(effEditClose); }

    static bool captureExists() { return std::ifstream(CapturedFrame::path()).good(); }

    // Out of sight (hide), the host moves Gain and loud audio plays; nothing may be
    // presented. Back in sight (show), one idle call must present the whole present picture.
    void expectUnseenThenCaughtUp(const std::function<void()>& hide, const std::function<void()>& show)
    {
        const CapturedFrame before = CapturedFrame::read();
        hide();
        idleFor(3);
        std::remove(CapturedFrame::path().c_str());
        instance.setParameter(kGain, 0.9f);
        StereoSignal loud = stereoNoise(8 * 2048, 0.7f);
        instance.process(loud.left, loud.right);
        idleFor(kMetersFallIdles);
        EXPECT_FALSE(captureExists()) << "an editor nobody can see presented a frame";

        show();
        window.pumpMessages();
        instance.dispatch(effEditIdle);
        const CapturedFrame shown = CapturedFrame::read();
        ASSERT_EQ(shown.width, kWidth) << "seen again, the editor presented nothing";
        EXPECT_GT(meanDifference(shown, before, kGainSlider), 2.0) << "the host's new Gain is not shown";
        EXPECT_LT(meanDifference(shown, before, kGainPanel), 0.5) << "the meters did not fall while unseen";

#if !defined(_WIN32)
        // What the X server shows is that frame.
        EXPECT_EQ(unshownPixels(window, shown), 0);
#endif
        // Outside the gain panel: every frame takes a meter reading and lowers it, so the next
        // frame shows even a fallen meter a little lower.
        window.exposeChildren();
        idleFor(4);
        EXPECT_EQ(differingPixels(shown, CapturedFrame::read(), FrameRegion{0, 0, kWidth, kHeight}, kGainPanel), 0)
            << "the first frame seen again is not whole";
    }
};

TEST_F(HostVisibility, ACoveredEditorDrawsNothingAndIsCurrentOnceUncovered)
{
    expectUnseenThenCaughtUp([&] { window.setCovered(HostWindow::Cover::Whole); },
                             [&] { window.setCovered(HostWindow::Cover::Uncovered); });
}

TEST_F(HostVisibility, AMinimisedHostWindowsEditorDrawsNothingAndIsCurrentOnceRestored)
{
    expectUnseenThenCaughtUp([&] { window.setShown(false); }, [&] { window.setShown(true); });
}

TEST_F(HostVisibility, APartlyCoveredEditorKeepsDrawing)
{
    window.setCovered(HostWindow::Cover::LeftHalf);
    idleFor(3);
    std::remove(CapturedFrame::path().c_str());
    instance.setParameter(kGain, 0.2f);
    idleFor(3);
    window.setCovered(HostWindow::Cover::Uncovered);
    EXPECT_TRUE(captureExists()) << "a partly covered editor drew nothing for a change";
}

}  // namespace
