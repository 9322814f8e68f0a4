// While audio plays, frames draw only the displays whose data changed, each by itself over
// the picture kept from the last frame. What they leave must be exactly what a whole redraw
// (a repaint from the window system) of the same state draws.
#include "HostEditorSession.h"
#include "support/TestSignals.h"

#include <vector>

namespace
{

// Where the gain panel draws a meter fallen nearly to nothing, with the glow of its rim.
constexpr FrameRegion kGainPanelCentre{235, 203, 276, 244};
constexpr FrameRegion kWholeWindow{0, 0, 512, 624};

class PlayingFrames : public HostEditorSession
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEditorSession::SetUp());
        idleFor(kVersionLineIdles);
    }

    // A repaint from the window system: the whole picture drawn again.
    CapturedFrame wholeRedraw()
    {
        window.exposeChildren();
        return frame();
    }
};

TEST_F(PlayingFrames, TheSpectrumAndMetersLeftByPlayingAreWhatAWholeRedrawShows)
{
    for (int block = 0; block < 20; ++block)
    {
        std::vector<float> left = sine(2048, 220.0 + 150.0 * block, 44100.0, 0.4f);
        std::vector<float> right = sine(2048, 3000.0 - 100.0 * block, 44100.0, 0.3f);
        instance.process(left, right);
        idleFor(1);
    }
    idleFor(kMetersFallIdles);
    const CapturedFrame kept = CapturedFrame::read();
    ASSERT_EQ(kept.width, kWidth);
#if !defined(_WIN32)
    // The X server was given only each frame's changed parts: it must show the whole frame.
    EXPECT_EQ(unshownPixels(window, kept), 0) << "pixels the window does not show";
#endif
    // Every frame takes a meter reading and lowers it, so a whole redraw shows even a fallen
    // meter a little lower: the few pixels it still lights are left out.
    EXPECT_EQ(differingPixels(kept, wholeRedraw(), kWholeWindow, kGainPanelCentre), 0);
}

}  // namespace
