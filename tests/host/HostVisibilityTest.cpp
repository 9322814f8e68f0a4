// An editor nobody can see (covered by another window, or its host window minimised) draws
// and presents nothing, and the first idle call that finds it seen again shows the present:
// what the host changed meanwhile, and meters that fell as they would have on screen.
#include <gtest/gtest.h>

#include "HostWindow.h"
#include "PluginHost.h"
#include "support/CapturedFrame.h"
#include "support/TestSignals.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <thread>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
constexpr int kGain = 5;
// Past the version line, which draws for the first 120 idle calls.
constexpr int kVersionLineIdles = 125;
// Long enough for a full-scale meter to fall out of sight.
constexpr int kMetersFallIdles = 60;

struct Region
{
    int left;
    int top;
    int right;
    int bottom;
};
constexpr Region kGainSlider{20, 60, 76, 384};
constexpr Region kGainPanel{100, 70, 410, 378};

class HostVisibility : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
        ASSERT_TRUE(window.valid()) << "no window system (run under Xvfb)";
        instance.resumeAt(44100.0f);
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        idleFor(kVersionLineIdles);
        ASSERT_EQ(CapturedFrame::read().width, kWidth) << "no frame presented";
    }

    void TearDown() override { instance.dispatch(effEditClose); }

    void idleFor(int calls)
    {
        for (int i = 0; i < calls; ++i)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    static bool captureExists() { return std::ifstream(CapturedFrame::path()).good(); }

    static double difference(const CapturedFrame& a, const CapturedFrame& b, const Region& region)
    {
        double sum = 0.0;
        for (int y = region.top; y < region.bottom; ++y)
            for (int x = region.left; x < region.right; ++x)
                for (int c = 0; c < 3; ++c)
                    sum += std::abs(static_cast<int>(a.pixel(x, y)[c]) - static_cast<int>(b.pixel(x, y)[c]));
        return sum / ((region.right - region.left) * (region.bottom - region.top));
    }

    static bool inside(const Region& region, int x, int y)
    {
        return region.left <= x && x < region.right && region.top <= y && y < region.bottom;
    }

    // Outside the gain panel: every frame takes a meter reading and lowers it, so the next
    // frame shows even a fallen meter a little lower.
    static int differingPixels(const CapturedFrame& a, const CapturedFrame& b)
    {
        int differing = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                differing += !inside(kGainPanel, x, y) && !std::equal(a.pixel(x, y), a.pixel(x, y) + 3, b.pixel(x, y));
        return differing;
    }

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
        EXPECT_GT(difference(shown, before, kGainSlider), 2.0) << "the host's new Gain is not shown";
        EXPECT_LT(difference(shown, before, kGainPanel), 0.5) << "the meters did not fall while unseen";

#if !defined(_WIN32)
        // What the X server shows is that frame.
        const std::vector<unsigned char> onScreen = window.shownEditorPixels(kWidth, kHeight);
        ASSERT_EQ(onScreen.size(), static_cast<std::size_t>(kWidth) * kHeight * 3);
        int unshown = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                unshown += !std::equal(shown.pixel(x, y), shown.pixel(x, y) + 3,
                                       &onScreen[(static_cast<std::size_t>(y) * kWidth + x) * 3]);
        EXPECT_EQ(unshown, 0);
#endif
        window.exposeChildren();
        idleFor(4);
        EXPECT_EQ(differingPixels(shown, CapturedFrame::read()), 0) << "the first frame seen again is not whole";
    }

    HostWindow window{kWidth, kHeight};
    EffectInstance instance;
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
