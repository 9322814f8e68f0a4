// Two instances of one process with their editors open at once, as a DAW shows two tracks'
// effects: each draws its own state, whatever the other drew last (they draw with one shared
// context, and the skin's images are one set of textures), and either goes without taking
// the other's picture along.
#include <gtest/gtest.h>

#include "HostWindow.h"
#include "PluginHost.h"
#include "support/CapturedFrame.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
constexpr int kGain = 5;
// Past the version line, which draws for the first 120 idle calls.
constexpr int kVersionLineIdles = 125;
// Beside the first window, so that neither covers the other.
constexpr int kSecondWindowLeft = 600;

class HostTwoEditors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
        ASSERT_TRUE(window.valid() && otherWindow.valid()) << "no window system (run under Xvfb)";
        other.setParameter(kGain, 0.9f);
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        idle(instance, window, kVersionLineIdles);
    }

    void TearDown() override
    {
        for (const EffectInstance* effect : {&instance, &other})
        {
            if (effect->effect() != nullptr)
                effect->dispatch(effEditClose);
        }
    }

    static void idle(const EffectInstance& effect, HostWindow& host, int calls)
    {
        for (int i = 0; i < calls; ++i)
        {
            host.pumpMessages();
            effect.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // The whole picture of one editor, drawn again as after an exposure.
    static CapturedFrame wholeFrame(const EffectInstance& effect, HostWindow& host)
    {
        std::remove(CapturedFrame::path().c_str());
        host.exposeChildren();
        idle(effect, host, 2);
        return CapturedFrame::read();
    }

    static int differingPixels(const CapturedFrame& a, const CapturedFrame& b)
    {
        if (a.width != b.width || a.height != b.height)
            return kWidth * kHeight;
        int differing = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                differing += !std::equal(a.pixel(x, y), a.pixel(x, y) + 3, b.pixel(x, y));
        return differing;
    }

    HostWindow window{kWidth, kHeight};
    HostWindow otherWindow{kWidth, kHeight, kSecondWindowLeft};
    EffectInstance instance;
    EffectInstance other;
};

TEST_F(HostTwoEditors, EachDrawsItsOwnStateWhateverTheOtherDrewLast)
{
    const CapturedFrame alone = wholeFrame(instance, window);
    ASSERT_EQ(alone.width, kWidth) << "no frame presented";

    ASSERT_EQ(other.dispatch(effEditOpen, 0, 0, otherWindow.handle()), 1);
    for (int i = 0; i < kVersionLineIdles; ++i)
    {
        idle(instance, window, 1);
        idle(other, otherWindow, 1);
    }
    const CapturedFrame otherFrame = wholeFrame(other, otherWindow);
    ASSERT_EQ(otherFrame.width, kWidth) << "the second editor presented nothing";
    EXPECT_GT(differingPixels(otherFrame, alone), 0) << "the second editor shows the first one's Gain";

    EXPECT_EQ(differingPixels(wholeFrame(instance, window), alone), 0)
        << "the first editor's picture changed with the second one open";
}

TEST_F(HostTwoEditors, EitherClosesWithoutTheOther)
{
    ASSERT_EQ(other.dispatch(effEditOpen, 0, 0, otherWindow.handle()), 1);
    idle(other, otherWindow, 3);
    const CapturedFrame before = wholeFrame(instance, window);

    other.dispatch(effEditClose);
    EXPECT_EQ(differingPixels(wholeFrame(instance, window), before), 0) << "the first editor lost its picture";

    ASSERT_EQ(other.dispatch(effEditOpen, 0, 0, otherWindow.handle()), 1);
    instance.dispatch(effEditClose);
    instance.close();
    const CapturedFrame otherAlone = wholeFrame(other, otherWindow);
    EXPECT_EQ(otherAlone.width, kWidth) << "the second editor draws nothing once the first instance is gone";
    EXPECT_GT(differingPixels(otherAlone, before), 0);
}

}  // namespace
