// The equaliser through the module, with real pointer events: the pointer rules in slot
// terms, what the host records, what is drawn and what is heard.
#include "HostEditorSession.h"
#include "support/TestSignals.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{

constexpr int kEqNum = 6;
constexpr int kEqGain = 39;
constexpr int eqX(int point)
{
    return 7 + 2 * point;
}
constexpr int eqY(int point)
{
    return 8 + 2 * point;
}

// The curve square: window pixels x 16..480, y 492..592 from the top.
constexpr int kLeft = 16;
constexpr int kBottom = 592;
constexpr float kWidthPixels = 464.0f;
constexpr float kHeightPixels = 100.0f;
// Pointer positions are whole pixels.
constexpr float kPixel = 1.0f / 100.0f;

int windowX(float x)
{
    return kLeft + static_cast<int>(std::lround(x * kWidthPixels));
}
int windowY(float y)
{
    return kBottom - static_cast<int>(std::lround(y * kHeightPixels));
}
// A point of the curve square in window pixels.
HostEditorSession::Point curveAt(float x, float y)
{
    return {windowX(x), windowY(y)};
}

using Slots = std::vector<std::pair<float, float>>;

class HostEqualiser : public HostEditorSession
{
protected:
    int count() { return static_cast<int>(instance.getParameter(kEqNum) * 16.0f + 0.5f); }
    Slots slots()
    {
        Slots result;
        for (int k = 0; k < count(); ++k)
            result.emplace_back(instance.getParameter(eqX(k)), instance.getParameter(eqY(k)));
        return result;
    }
    void addAt(float x, float y) { click(curveAt(x, y), HostPointer::Right); }
    void expectSlots(const Slots& expected, const char* what)
    {
        const Slots actual = slots();
        ASSERT_EQ(actual.size(), expected.size()) << what;
        for (std::size_t k = 0; k < expected.size(); ++k)
        {
            EXPECT_NEAR(actual[k].first, expected[k].first, 1.5f / kWidthPixels) << what << ", slot " << k;
            EXPECT_NEAR(actual[k].second, expected[k].second, 1.5f * kPixel) << what << ", slot " << k;
        }
    }
};

int brightness(const CapturedFrame& frame, int x, int yFromTop)
{
    const std::uint8_t* p = frame.pixel(x, yFromTop);
    return p[0] + p[1] + p[2];
}

}  // namespace

TEST_F(HostEqualiser, DefaultCurveIsFlatOnTheCentreLineWithTwoRings)
{
    expectSlots({{0.0f, 0.5f}, {1.0f, 0.5f}}, "default program");
    const CapturedFrame shown = frame();
    for (int x = kLeft + 30; x < kLeft + 440; x += 41)
    {
        EXPECT_GT(brightness(shown, x, windowY(0.5f)), 450) << "the curve at x " << x;
        EXPECT_LT(brightness(shown, x, windowY(0.5f) - 12), 250) << "above the curve at x " << x;
    }
    // The rings: bright 6 or 7 pixels above and below each end point, where the curve is not.
    for (int x : {windowX(0.0f), windowX(1.0f)})
    {
        int ring = 0;
        for (int dy = 5; dy <= 8; ++dy)
            ring = std::max(ring, brightness(shown, x, windowY(0.5f) - dy));
        EXPECT_GT(ring, 400) << "ring at x " << x;
    }
}

TEST_F(HostEqualiser, SecondaryClicksAddPointsUpToSixteenAndTheHostRecordsThem)
{
    HostRecorder::instance().clear();
    addAt(0.3f, 0.7f);
    expectSlots({{0.0f, 0.5f}, {0.3f, 0.7f}, {1.0f, 0.5f}}, "first add");
    EXPECT_FLOAT_EQ(instance.getParameter(kEqNum), 0.1875f);
    addAt(0.6f, 0.2f);
    expectSlots({{0.0f, 0.5f}, {0.3f, 0.7f}, {0.6f, 0.2f}, {1.0f, 0.5f}}, "second add");
    EXPECT_FLOAT_EQ(instance.getParameter(kEqNum), 0.25f);

    // Every change reached the host as automation, with the value the effect now holds.
    const auto automated = HostRecorder::instance().callsFor(instance.effect(), audioMasterAutomate);
    for (int index : {kEqNum, eqX(1), eqY(1), eqX(2), eqY(2), eqX(3), eqY(3)})
    {
        const auto last = std::find_if(automated.rbegin(), automated.rend(),
                                       [&](const HostCall& call) { return call.index == index; });
        ASSERT_NE(last, automated.rend()) << "no automation of " << index;
        EXPECT_EQ(last->opt, instance.getParameter(index)) << index;
    }

    for (int k = 0; count() < 16 && k < 20; ++k)
        addAt(0.04f + 0.045f * static_cast<float>(k % 12), k < 12 ? 0.9f : 0.1f);
    ASSERT_EQ(count(), 16);
    EXPECT_NEAR(slots().back().first, 1.0f, 1e-6f) << "the right end point keeps the last slot";
    const Slots full = slots();
    addAt(0.5f, 0.5f);
    EXPECT_EQ(count(), 16) << "a 17th point is not added";
    EXPECT_EQ(slots(), full);
}

TEST_F(HostEqualiser, SecondaryClicksRemoveMiddlePointsAndResetEndPoints)
{
    addAt(0.5f, 0.8f);
    click(curveAt(0.5f, 0.8f), HostPointer::Right);
    expectSlots({{0.0f, 0.5f}, {1.0f, 0.5f}}, "middle of three removed");
    EXPECT_FLOAT_EQ(instance.getParameter(kEqNum), 0.125f);

    addAt(0.2f, 0.1f);
    addAt(0.4f, 0.3f);
    addAt(0.7f, 0.9f);
    click(curveAt(0.2f, 0.1f), HostPointer::Right);
    expectSlots({{0.0f, 0.5f}, {0.7f, 0.9f}, {0.4f, 0.3f}, {1.0f, 0.5f}}, "slot 1 of five removed");
    EXPECT_FLOAT_EQ(instance.getParameter(kEqNum), 0.25f);

    drag(curveAt(1.0f, 0.5f), curveAt(1.0f, 0.8f));
    click(curveAt(1.0f, 0.8f), HostPointer::Right);
    expectSlots({{0.0f, 0.5f}, {0.7f, 0.9f}, {0.4f, 0.3f}, {1.0f, 0.5f}}, "end point reset, not removed");
}

TEST_F(HostEqualiser, EndPointsMoveOnlyVertically)
{
    drag(curveAt(0.0f, 0.5f), curveAt(0.3f, 0.9f));
    expectSlots({{0.0f, 0.9f}, {1.0f, 0.5f}}, "left end point dragged up and right");
    drag(curveAt(1.0f, 0.5f), curveAt(0.6f, 0.2f));
    expectSlots({{0.0f, 0.9f}, {1.0f, 0.2f}}, "right end point dragged down and left");

    addAt(0.5f, 0.5f);
    drag(curveAt(0.5f, 0.5f), curveAt(0.25f, 0.75f));
    expectSlots({{0.0f, 0.9f}, {0.25f, 0.75f}, {1.0f, 0.2f}}, "a middle point moves both ways");
}

TEST_F(HostEqualiser, CtrlClickResetsWithoutDragging)
{
    if (!HostPointer::hasModifiers())
        GTEST_SKIP() << "posted mouse messages carry no modifier keys";
    addAt(0.25f, 0.75f);
    drag(curveAt(0.25f, 0.75f), curveAt(0.6f, 0.1f), HostPointer::Control);
    expectSlots({{0.0f, 0.5f}, {0.25f, 0.5f}, {1.0f, 0.5f}}, "Ctrl-click reset and no drag");
    drag(curveAt(1.0f, 0.5f), curveAt(1.0f, 0.2f));
    click(curveAt(1.0f, 0.2f), HostPointer::Left, HostPointer::Control);
    expectSlots({{0.0f, 0.5f}, {0.25f, 0.5f}, {1.0f, 0.5f}}, "Ctrl-click on an end point");
    // Alt-click is a secondary click: it removes a middle point.
    click(curveAt(0.25f, 0.5f), HostPointer::Left, HostPointer::Alt);
    expectSlots({{0.0f, 0.5f}, {1.0f, 0.5f}}, "Alt-click removed the middle point");
}

TEST_F(HostEqualiser, TheSoundFollowsAPointRaisedAtOneKilohertz)
{
    const auto render = [&]
    {
        StereoSignal noise = stereoNoise(16 * 2048, 0.1f);
        instance.process(noise.left, noise.right);
        return bandPower(noise.left, 8 * 2048, 16 * 2048, 44100.0, 900.0, 1100.0);
    };
    const double before = render();
    const float thousandHz = std::pow((1000.0f - 40.0f) / 20000.0f, 0.25f);
    addAt(thousandHz, 0.5f);
    drag(curveAt(thousandHz, 0.5f), curveAt(thousandHz, 0.75f));
    ASSERT_EQ(count(), 3);
    const float raised = instance.getParameter(eqY(1));
    EXPECT_NEAR(raised, 0.75f, 1.5f * kPixel);
    EXPECT_NEAR(instance.getParameter(eqX(1)), thousandHz, 1.5f / kWidthPixels);
    const double after = render();

    // The curve's gain there: flat at its top, 10^((y - 0.5) * range / 10) on the magnitude.
    const double range = 22.0 * instance.getParameter(kEqGain) + 2.0;
    const double gain = std::pow(10.0, (raised - 0.5) * range / 10.0);
    EXPECT_NEAR(after / before, gain * gain, 0.15 * gain * gain);
}

// The drawn curve follows the points whatever moved them: here the host's automation.
TEST_F(HostEqualiser, HostAutomationMovesTheRingsAndTheCurve)
{
    const CapturedFrame flat = frame();
    instance.setParameter(eqY(1), 1.0f);
    instance.setParameter(eqY(0), 1.0f);
    const CapturedFrame raised = frame();
    const int x = windowX(0.5f);
    EXPECT_GT(brightness(raised, x, windowY(1.0f)), 450) << "the curve runs along the top";
    EXPECT_LT(brightness(raised, x, windowY(0.5f)), brightness(flat, x, windowY(0.5f)) - 200)
        << "and no longer along the centre line";
}
