// The stereo gain panel's Scope view through the module: chosen with a click and remembered,
// showing known signals as they must look (a mono signal upright, one channel alone at 45
// degrees, opposite phase across, unrelated noise round, a panned signal's balance mark off
// centre), the same pixels each time, and the design's view unchanged after it. Each frame is
// kept in VANTOR_SCENARIO_FRAMES_OUT as scope-<signal>.png.
#include "HostEditorSession.h"
#include "editor/ScopeLayout.h"
#include "support/TestSignals.h"

#include <cmath>

namespace
{

using namespace scope_layout;

constexpr float kSampleRate = 44100.0f;
// Longer than the goniometer's history and the fast correlation's time.
constexpr std::size_t kSignalLength = 32768;
constexpr float kAmplitude = 0.4f;
constexpr float kPi = 3.14159265f;

// The panel's corner in layout units.
constexpr float kPanelLeft = 96.0f;
constexpr float kPanelBottom = 241.0f;

struct Signal
{
    const char* name;
    StereoSignal samples;
};

StereoSignal scaled(const std::vector<float>& source, float leftGain, float rightGain)
{
    StereoSignal signal{source, source};
    for (std::size_t i = 0; i < source.size(); ++i)
    {
        signal.left[i] *= leftGain;
        signal.right[i] *= rightGain;
    }
    return signal;
}

// Where light was added over the silent Scope, weighted by how much: its principal direction
// (degrees from the side axis towards mid, 0..180), how round it is (smaller spread over the
// larger: 0 a line, 1 a disc) and its middle, in window pixels.
struct Cloud
{
    double angle = 0.0;
    double roundness = 0.0;
    double x = 0.0;
    double y = 0.0;
    double weight = 0.0;
};

double addedLight(const CapturedFrame& frame, const CapturedFrame& silent, std::size_t at, int channel)
{
    return std::max(0.0, static_cast<double>(frame.rgba[at + channel]) - silent.rgba[at + channel]);
}

enum class Light
{
    Any,
    Red,
    // More blue added than red: the balance mark's, not the gold needles'.
    Blue,
};

double addedLight(const CapturedFrame& frame, const CapturedFrame& silent, std::size_t at, Light light)
{
    const double red = addedLight(frame, silent, at, 0);
    const double blue = addedLight(frame, silent, at, 2);
    switch (light)
    {
    case Light::Any: return red + addedLight(frame, silent, at, 1) + blue;
    case Light::Red: return red;
    case Light::Blue: return std::max(0.0, blue - red);
    }
    return 0.0;
}

// Over the window rectangle [left, right) x [top, bottom); channel -1 sums red, green and blue.
Cloud cloudIn(const CapturedFrame& frame, const CapturedFrame& silent, int left, int top, int right, int bottom,
              Light light = Light::Any)
{
    double sum = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
    double sumXX = 0.0;
    double sumYY = 0.0;
    double sumXY = 0.0;
    for (int row = top; row < bottom; ++row)
    {
        for (int column = left; column < right; ++column)
        {
            const std::size_t at = (static_cast<std::size_t>(row) * HostEditorSession::kWidth + column) * 4;
            const double w = addedLight(frame, silent, at, light);
            const double x = column;
            const double y = -row;  // upwards
            sum += w;
            sumX += w * x;
            sumY += w * y;
            sumXX += w * x * x;
            sumYY += w * y * y;
            sumXY += w * x * y;
        }
    }
    Cloud cloud;
    cloud.weight = sum;
    if (sum <= 0.0)
        return cloud;
    cloud.x = sumX / sum;
    cloud.y = -sumY / sum;
    const double xx = sumXX / sum - (sumX / sum) * (sumX / sum);
    const double yy = sumYY / sum - (sumY / sum) * (sumY / sum);
    const double xy = sumXY / sum - (sumX / sum) * (sumY / sum);
    cloud.angle = std::fmod(0.5 * std::atan2(2.0 * xy, xx - yy) * 180.0 / kPi + 180.0, 180.0);
    const double middle = (xx + yy) / 2.0;
    const double spread = std::sqrt((xx - yy) * (xx - yy) / 4.0 + xy * xy);
    cloud.roundness = (middle - spread) / (middle + spread);
    return cloud;
}

class ScopeFrames : public HostEditorSession
{
public:
    static void SetUpTestSuite()
    {
        // A folder of its own: the view chosen here must not open the other suites' editors
        // in the Scope.
        static const std::string folder = scratchFolder();
        usePreferencesIn(folder);
    }

    static void TearDownTestSuite() { HostEditorSession::SetUpTestSuite(); }

    static Point panelPoint(float x, float y) { return windowPoint(kPanelLeft + x, kPanelBottom + y); }

    // A click, then the pointer away, so the panel's help does not cover it.
    void clickPanel(float x, float y)
    {
        click(panelPoint(x, y));
        hover(Point{kWidth + 50, 10});
    }

    // The panel's picture once the editor opened afresh has shown `signal`.
    CapturedFrame showFresh(StereoSignal signal)
    {
        closeEditor();
        openEditor();
        // The version line counts idle calls, not time: no need to wait it out.
        for (int call = 0; call < kVersionLineIdles; ++call)
            instance.dispatch(effEditIdle);
        // A change of rate starts a new engine: nothing heard before (the slow correlation
        // reaches 3 s back) is in these frames.
        instance.resumeAt(2.0f * kSampleRate);
        instance.resumeAt(kSampleRate);
        instance.process(signal.left, signal.right);
        return settledFrame();
    }

    // The frame settled, then redrawn whole: both must agree, and it is kept.
    CapturedFrame checked(const std::string& name)
    {
        const CapturedFrame partial = settledFrame();
        window.exposeChildren();
        const CapturedFrame whole = settledFrame();
        EXPECT_EQ(differingPixels(partial, whole), 0) << name << ": a partial frame left stale pixels";
        keepFrame("scope-" + name);
        return whole;
    }

    // The goniometer's square, in window pixels.
    static Cloud goniometer(const CapturedFrame& frame, const CapturedFrame& silent)
    {
        const Point topLeft = panelPoint(kCentreX - kRadius, kCentreY + kRadius);
        const Point bottomRight = panelPoint(kCentreX + kRadius, kCentreY - kRadius);
        return cloudIn(frame, silent, topLeft.x, topLeft.yFromTop, bottomRight.x, bottomRight.yFromTop);
    }

    // The strip under the meter where the balance mark sits.
    static Cloud balanceStrip(const CapturedFrame& frame, const CapturedFrame& silent)
    {
        const Point topLeft = panelPoint(kBarLeft - 6.0f, kBarMiddleY - kBarHalfHeight);
        const Point bottomRight = panelPoint(kBarRight + 6.0f, kBarMiddleY - kBarHalfHeight - 9.0f);
        return cloudIn(frame, silent, topLeft.x, topLeft.yFromTop, bottomRight.x, bottomRight.yFromTop, Light::Blue);
    }

    // Red light on the meter's side below 0.
    static double warningLight(const CapturedFrame& frame, const CapturedFrame& silent)
    {
        const Point topLeft = panelPoint(kBarLeft + 4.0f, kBarMiddleY + kBarHalfHeight - 1.0f);
        const Point bottomRight = panelPoint(kCentreX - 8.0f, kBarMiddleY - kBarHalfHeight + 1.0f);
        return cloudIn(frame, silent, topLeft.x, topLeft.yFromTop, bottomRight.x, bottomRight.yFromTop, Light::Red)
            .weight;
    }
};

TEST_F(ScopeFrames, KnownSignalsLookAsTheyMustAndTheDesignsViewComesBackUnchanged)
{
    const CapturedFrame design = showFresh({std::vector<float>(kSignalLength), std::vector<float>(kSignalLength)});
    clickPanel(kCentreX, kCentreY);
    // Reopened from here on: the choice is remembered.
    const CapturedFrame silent = showFresh({std::vector<float>(kSignalLength), std::vector<float>(kSignalLength)});
    ASSERT_GT(differingPixels(design, silent), 2000) << "the click did not switch to the Scope";

    const std::vector<float> source = noise(kSignalLength, 7, kAmplitude);
    struct Line
    {
        const char* name;
        StereoSignal samples;
        double angle;
    };
    const Line lines[] = {{"mono", scaled(source, 1.0f, 1.0f), 90.0},
                          {"left-only", scaled(source, 1.0f, 0.0f), 135.0},
                          {"right-only", scaled(source, 0.0f, 1.0f), 45.0},
                          {"opposite", scaled(source, 1.0f, -1.0f), 0.0}};
    std::vector<CapturedFrame> lineFrames;
    for (const Line& line : lines)
    {
        showFresh(line.samples);
        lineFrames.push_back(checked(line.name));
        const Cloud cloud = goniometer(lineFrames.back(), silent);
        const double off = std::fabs(std::remainder(cloud.angle - line.angle, 180.0));
        EXPECT_LT(off, 4.0) << line.name << " at " << cloud.angle << " degrees";
        EXPECT_LT(cloud.roundness, 0.05) << line.name << " is no line";
    }

    showFresh(stereoNoise(kSignalLength, kAmplitude));
    const CapturedFrame unrelated = checked("noise");
    EXPECT_GT(goniometer(unrelated, silent).roundness, 0.6) << "unrelated noise is not round";

    // Right at 0.7, left at 0.3 of the same signal: (0.49 - 0.09) / (0.49 + 0.09) towards the right.
    showFresh(scaled(source, 0.3f, 0.7f));
    const Cloud mark = balanceStrip(checked("panned"), silent);
    EXPECT_NEAR(mark.x, panelPoint(barX(0.4f / 0.58f), 0.0f).x, 3.0) << "the balance mark is not where the energy is";

    // Out of phase warns; in phase does not.
    EXPECT_GT(warningLight(lineFrames[3], silent), 10.0 * warningLight(lineFrames[0], silent) + 1.0)
        << "opposite phase does not warn, or mono does";

    // The same signal in another opening: the same pixels.
    EXPECT_EQ(differingPixels(showFresh(stereoNoise(kSignalLength, kAmplitude)), unrelated), 0);

    // The design's own panel may keep a meter's last few pixels of release, by how many
    // frames a loaded machine managed; anything the Scope left behind would be thousands.
    clickPanel(kCentreX, kCentreY);
    EXPECT_LE(
        differingPixels(showFresh({std::vector<float>(kSignalLength), std::vector<float>(kSignalLength)}), design), 16)
        << "the design's view is not as it was";
}

// At 200 % the Scope is drawn at the window's own resolution: a picture drawn at 100 % and
// enlarged would repeat every pixel in pairs.
TEST_F(ScopeFrames, AtTwiceTheSizeItIsDrawnAtTheWindowsResolution)
{
    clickPanel(kCentreX, kCentreY);
    const auto announce = [&](float factor)
    {
        return instance.dispatch(effVendorSpecific, fourCharCode('P', 'r', 'e', 'S'), fourCharCode('A', 'e', 'C', 's'),
                                 nullptr, factor);
    };
    closeEditor();
    ASSERT_EQ(announce(2.0f), 1);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    open = true;
    ASSERT_TRUE(idleUntil([] { return CapturedFrame::read().width == 2 * kWidth; }));
    for (int call = 0; call < kVersionLineIdles; ++call)
        instance.dispatch(effEditIdle);
    StereoSignal signal = stereoNoise(kSignalLength, kAmplitude);
    instance.resumeAt(kSampleRate);
    instance.process(signal.left, signal.right);
    const CapturedFrame frame = settledFrame();
    ASSERT_EQ(frame.width, 2 * kWidth);
    const Point topLeft = panelPoint(kCentreX - kRadius, kCentreY + kRadius);
    const Point bottomRight = panelPoint(kCentreX + kRadius, kCentreY - kRadius);
    int pairs = 0;
    int unequal = 0;
    for (int row = 2 * topLeft.yFromTop; row < 2 * bottomRight.yFromTop; row += 2)
    {
        for (int column = 2 * topLeft.x; column < 2 * bottomRight.x; column += 2)
        {
            const std::size_t at = (static_cast<std::size_t>(row) * frame.width + column) * 4;
            const std::size_t right = at + 4;
            const std::size_t below = at + static_cast<std::size_t>(frame.width) * 4;
            ++pairs;
            unequal += !std::equal(frame.rgba.begin() + at, frame.rgba.begin() + at + 3, frame.rgba.begin() + right) ||
                       !std::equal(frame.rgba.begin() + at, frame.rgba.begin() + at + 3, frame.rgba.begin() + below);
        }
    }
    // The cloud, the axes and the circle: a tenth of the square at least has detail finer
    // than a 100 % pixel.
    EXPECT_GT(unequal, pairs / 10) << unequal << " of " << pairs;
    keepFrame("scope-noise-200");
    closeEditor();
    ASSERT_EQ(announce(1.0f), 1);
    openEditor();
    clickPanel(kCentreX, kCentreY);
}

// The switch in the corner picks the input: a left-only input made mono by the effect reads
// upright at the output and at 45 degrees at the input.
TEST_F(ScopeFrames, TheSwitchShowsTheInput)
{
    const CapturedFrame design = settledFrame();
    clickPanel(kCentreX, kCentreY);
    const CapturedFrame silent = showFresh({std::vector<float>(kSignalLength), std::vector<float>(kSignalLength)});
    ASSERT_GT(differingPixels(design, silent), 2000);
    instance.setParameter(row("Stereo Width").parameter, 0.0f);
    StereoSignal signal = scaled(noise(kSignalLength, 3, kAmplitude), 1.0f, 0.0f);
    instance.process(signal.left, signal.right);
    EXPECT_LT(std::fabs(std::remainder(goniometer(settledFrame(), silent).angle - 90.0, 180.0)), 4.0);
    clickPanel((kSwitchLeft + kSwitchRight) / 2.0f - 16.0f, (kSwitchBottom + kSwitchTop) / 2.0f);
    const Cloud input = goniometer(checked("input"), silent);
    EXPECT_LT(std::fabs(std::remainder(input.angle - 135.0, 180.0)), 4.0) << input.angle;
    // Back to the design's view for whoever opens an editor next.
    clickPanel(kCentreX, kCentreY);
}

}  // namespace
