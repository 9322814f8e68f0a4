// Two instances of one process with their editors open at once, as a DAW shows two tracks'
// effects: each draws its own state, whatever the other drew last (they draw with one shared
// context, and the skin's images are one set of textures), and either goes without taking
// the other's picture along.
#include "FramePixels.h"
#include "HostEditorWindow.h"

#include <cstdio>

namespace
{

constexpr int kGain = 5;
// Beside the first window, so that neither covers the other.
constexpr int kSecondWindowLeft = 600;

class HostTwoEditors : public HostEditorWindow
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEditorWindow::SetUp());
        ASSERT_TRUE(otherWindow.valid()) << "no window system (run under Xvfb)";
        other.setParameter(kGain, 0.9f);
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        idleEditor(window, instance, kVersionLineIdles);
    }

    void TearDown() override
    {
        for (const EffectInstance* effect : {&instance, &other})
        {
            if (effect->effect() != nullptr)
                effect->dispatch(effEditClose);
        }
    }

    // The whole picture of one editor, drawn again as after an exposure.
    static CapturedFrame wholeFrame(const EffectInstance& effect, HostWindow& host)
    {
        std::remove(CapturedFrame::path().c_str());
        host.exposeChildren();
        idleEditor(host, effect, 2);
        return CapturedFrame::read();
    }

    HostWindow otherWindow{kWidth, kHeight, kSecondWindowLeft};
    EffectInstance other;
};

TEST_F(HostTwoEditors, EachDrawsItsOwnStateWhateverTheOtherDrewLast)
{
    const CapturedFrame alone = wholeFrame(instance, window);
    ASSERT_EQ(alone.width, kWidth) << "no frame presented";

    ASSERT_EQ(other.dispatch(effEditOpen, 0, 0, otherWindow.handle()), 1);
    for (int i = 0; i < kVersionLineIdles; ++i)
    {
        idleEditor(window, instance, 1);
        idleEditor(otherWindow, other, 1);
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
    idleEditor(otherWindow, other, 3);
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
