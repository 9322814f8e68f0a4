// While audio plays, frames draw only the displays whose data changed, each by itself over
// the picture kept from the last frame. What they leave must be exactly what a whole redraw
// (a repaint from the window system) of the same state draws.
#include "HostEditorSession.h"
#include "support/TestSignals.h"

#include <vector>

namespace
{

// Past the version line, which draws over the gain panel for the first 120 idle calls.
constexpr int kVersionLineIdles = 125;
// Long enough for a full-scale meter to fall out of sight.
constexpr int kMetersFallIdles = 60;

struct Region
{
    int left;
    int top;
    int right;
    int bottom;

    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};
// Where the gain panel draws a meter fallen nearly to nothing, with the glow of its rim.
constexpr Region kGainPanelCentre{235, 203, 276, 244};
constexpr Region kWholeWindow{0, 0, 512, 624};

// Pixels of the region (outside `except`) that differ.
int differingPixels(const CapturedFrame& a, const CapturedFrame& b, const Region& region, const Region& except = {})
{
    int differing = 0;
    for (int y = region.top; y < region.bottom; ++y)
        for (int x = region.left; x < region.right; ++x)
            differing += !except.contains(x, y) && !std::equal(a.pixel(x, y), a.pixel(x, y) + 3, b.pixel(x, y));
    return differing;
}

class PlayingFrames : public HostEditorSession
{
protected:
    void SetUp() override
    {
        HostEditorSession::SetUp();
        pointer.moveTo(kWidth + 50, 10);
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
    const std::vector<unsigned char> shown = window.shownEditorPixels(kWidth, kHeight);
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(kWidth) * kHeight * 3);
    int unshown = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            unshown += !std::equal(kept.pixel(x, y), kept.pixel(x, y) + 3,
                                   &shown[(static_cast<std::size_t>(y) * kWidth + x) * 3]);
    EXPECT_EQ(unshown, 0) << "pixels the window does not show";
#endif
    // Every frame takes a meter reading and lowers it, so a whole redraw shows even a fallen
    // meter a little lower: the few pixels it still lights are left out.
    EXPECT_EQ(differingPixels(kept, wholeRedraw(), kWholeWindow, kGainPanelCentre), 0);
}

}  // namespace
