// The live displays through the module: the stereo gain panel, the spectrum behind the
// equaliser, the width display and the Shape curve, asserted on their screen regions.
#include "HostEditorSession.h"
#include "support/TestSignals.h"

#include <cmath>
#include <vector>

namespace
{

constexpr int kGain = 5;
constexpr int kStereoWidth = 1;
constexpr int kShape = 4;

// Window pixel rectangles inside each display.
constexpr FrameRegion kGainPanel{100, 70, 410, 378};
constexpr FrameRegion kWidthDisplay{98, 397, 413, 408};
constexpr FrameRegion kShapeCurve{440, 437, 494, 472};
constexpr int kSpectrumLeft = 16;
constexpr int kSpectrumTop = 494;
constexpr int kSpectrumBottom = 590;
constexpr int kShapeDialX = 467;
constexpr int kShapeDialY = 400;

double meanBrightness(const CapturedFrame& frame, const FrameRegion& region)
{
    double sum = 0.0;
    for (int y = region.top; y < region.bottom; ++y)
        for (int x = region.left; x < region.right; ++x)
            sum += frame.pixel(x, y)[0] + frame.pixel(x, y)[1] + frame.pixel(x, y)[2];
    return sum / ((region.right - region.left) * (region.bottom - region.top));
}

// Share of the region's pixels that are plainly red.
double redShare(const CapturedFrame& frame, const FrameRegion& region)
{
    int red = 0;
    for (int y = region.top; y < region.bottom; ++y)
        for (int x = region.left; x < region.right; ++x)
        {
            const std::uint8_t* p = frame.pixel(x, y);
            red += p[0] > 120 && p[1] < 60 && p[2] < 60 ? 1 : 0;
        }
    return static_cast<double>(red) / ((region.right - region.left) * (region.bottom - region.top));
}

using HostDisplays = HostEditorSession;

}  // namespace

TEST_F(HostDisplays, GainPanelLightsWithLoudAudioDecaysAfterItAndTurnsRedForOneClippedFrame)
{
    pointer.moveTo(5, 5);
    const CapturedFrame silent = frame();
    StereoSignal loud = stereoNoise(8 * 2048, 0.7f);
    instance.process(loud.left, loud.right);
    const CapturedFrame playing = frame();
    EXPECT_GT(meanBrightness(playing, kGainPanel), meanBrightness(silent, kGainPanel) + 20.0);
    EXPECT_LT(redShare(playing, kGainPanel), 0.05) << "loud but unclipped is not red";
    idleFor(40);
    const CapturedFrame after = frame();
    EXPECT_LT(meanDifference(after, silent, kGainPanel), meanDifference(playing, silent, kGainPanel) / 4.0)
        << "the level falls back once the audio stops";

    instance.setParameter(kGain, 1.0f);  // four times louder: the wet path clips
    StereoSignal hot = stereoNoise(8 * 2048, 0.7f);
    instance.process(hot.left, hot.right);
    EXPECT_GT(redShare(frame(), kGainPanel), 0.9) << "a clipped block turns the panel solid red";
    EXPECT_LT(redShare(frame(), kGainPanel), 0.05) << "for one frame only";
}

TEST_F(HostDisplays, SpectrumShowsASineAtItsPlaceOnTheFrequencyAxis)
{
    // x = 0.5 on the 40 + 20000 x^4 Hz axis.
    const double frequency = 40.0 + 20000.0 * std::pow(0.5, 4.0);
    std::vector<float> tone = sine(10 * 2048, frequency, 44100.0, 0.5f);
    std::vector<float> right = tone;
    instance.process(tone, right);
    const CapturedFrame shown = frame();
    const auto column = [&](int x)
    {
        double sum = 0.0;
        for (int y = kSpectrumTop; y < kSpectrumBottom; ++y)
            sum += shown.pixel(x, y)[0] + shown.pixel(x, y)[1] + shown.pixel(x, y)[2];
        return sum / (kSpectrumBottom - kSpectrumTop);
    };
    const double atTone = std::max(column(kSpectrumLeft + 231), column(kSpectrumLeft + 232));
    EXPECT_GT(atTone, 1.5 * column(kSpectrumLeft + 116)) << atTone;
    EXPECT_GT(atTone, 1.5 * column(kSpectrumLeft + 348)) << atTone;
}

TEST_F(HostDisplays, WidthDisplayFollowsStereoWidth)
{
    pointer.moveTo(5, 5);
    std::vector<CapturedFrame> shown;
    for (float width : {0.0f, 0.5f, 1.0f})
    {
        instance.setParameter(kStereoWidth, width);
        shown.push_back(frame());
    }
    EXPECT_GT(meanDifference(shown[0], shown[1], kWidthDisplay), 5.0);
    EXPECT_GT(meanDifference(shown[1], shown[2], kWidthDisplay), 5.0);
    const FrameRegion centre{250, 397, 262, 408};
    const FrameRegion sides{98, 397, 130, 408};
    EXPECT_GT(meanBrightness(shown[0], centre), 3.0 * meanBrightness(shown[0], sides)) << "mono gathers at the centre";
    EXPECT_GT(meanBrightness(shown[2], sides), 1.5 * meanBrightness(shown[1], sides)) << "wide spreads to the sides";
}

TEST_F(HostDisplays, ShapeCurveAppearsOnlyWhileTheShapeDialIsHovered)
{
    instance.setParameter(kShape, 0.9f);
    pointer.moveTo(5, 5);
    idleFor(2);
    const CapturedFrame away = frame();
    pointer.moveTo(kShapeDialX, kShapeDialY);
    idleFor(2);
    const CapturedFrame hovered = frame();
    pointer.moveTo(5, 5);
    idleFor(2);
    const CapturedFrame left = frame();
    EXPECT_GT(meanDifference(hovered, away, kShapeCurve), 10.0);
    EXPECT_LT(meanDifference(left, away, kShapeCurve), 1.0);
}

// A host plays on with silence after the music: the editor draws while its picture still
// changes and then nothing, instead of following meters that fall long after no pixel moves.
TEST_F(HostDisplays, AfterTheMusicStopsFramesEndOnceThePictureStopsChanging)
{
    pointer.moveTo(5, 5);
    // The opening's version line goes first: it draws for its own count of idle calls.
    idleFor(130);
    StereoSignal loud = stereoNoise(8 * 2048, 0.7f);
    instance.process(loud.left, loud.right);
    frame();
    std::vector<float> left(512);
    std::vector<float> right(512);
    const auto playSilence = [&](int idleCalls)
    {
        for (int call = 0; call < idleCalls; ++call)
        {
            std::fill(left.begin(), left.end(), 0.0f);
            std::fill(right.begin(), right.end(), 0.0f);
            instance.process(left, right);
            idleFor(1);
        }
    };
    // The levels, rings and veins fade from the picture within this many idle calls (a few
    // seconds here, where frames come only as often as the silent spectrum is renewed); the
    // meters' release goes on for twice as long after that.
    playSilence(200);
    std::remove(CapturedFrame::path().c_str());
    playSilence(50);
    EXPECT_EQ(CapturedFrame::read().width, 0) << "frames went on with nothing changing on screen";
}
