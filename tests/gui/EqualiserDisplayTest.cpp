// The equaliser's drawing over the generated skin: spectrum background, curve and rings at
// the places the frequency axis and the point values give, read back from the frame.
#include <gtest/gtest.h>

#include "DawWindow.h"
#include "DisplayEditor.h"
#include "editor/EqualiserDisplay.h"
#include "engine/SpectrumHandOff.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
// The layout's equaliser box (-248, -288, 478 x 114): inner area 8 pixels in on the left and
// bottom, 6 on the right and top, that is window pixels x 16..480 and y 32..132 from below.
const EqualiserDisplay::Rectangle kInner{-240.0f * 2 / kWidth, -280.0f * 2 / kHeight, 464.0f * 2 / kWidth,
                                         100.0f * 2 / kHeight};
constexpr int kInnerLeft = 16;
constexpr int kInnerBottom = 32;

struct Frame
{
    std::vector<unsigned char> rgb;
    // Window pixel, y from the bottom.
    const unsigned char* at(int x, int y) const { return rgb.data() + 3 * (y * kWidth + x); }
    int brightness(int x, int y) const { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; }
};

Frame readFrame()
{
    Frame frame;
    frame.rgb.resize(3 * kWidth * kHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

Frame drawOnce(const DisplayEditor::Drawing& drawing)
{
    const char* folder = std::getenv("VANTOR_SKIN_DIR");
    EXPECT_NE(folder, nullptr);
    DawWindow daw(kWidth, kHeight);
    EXPECT_TRUE(daw.valid());
    Frame frame;
    DisplayEditor editor(std::string(folder) + "/",
                         [&](GuiResources& resources, ShaderSet& shaders)
                         {
                             drawing(resources, shaders);
                             ShaderSet::useNone();
                             frame = readFrame();
                         });
    EXPECT_TRUE(editor.open(daw.handle()));
    editor.renderFrame();
    editor.close();
    return frame;
}

double columnBrightness(const Frame& frame, int x)
{
    double sum = 0.0;
    for (int y = kInnerBottom + 2; y < kInnerBottom + 98; ++y)
        sum += frame.brightness(x, y);
    return sum / 96.0;
}

}  // namespace

TEST(EqualiserDisplay, SpectrumPublishedLastLightsItsColumn)
{
    SpectrumHandOff ring;
    float* published = ring.fillBuffer();
    std::fill(published, published + kSpectrumPoints, 1e-9f);
    published[256] = published[257] = 0.5f;  // x = 0.5, about 1290 Hz
    ring.publish();
    float* filling = ring.fillBuffer();
    std::fill(filling, filling + kSpectrumPoints, 1e-9f);
    filling[100] = filling[101] = 0.5f;  // not yet published: never shown
    const Frame frame = drawOnce(
        [&](GuiResources& resources, ShaderSet& shaders)
        {
            EqualiserDisplay display(resources, shaders, kInner, kWidth, kHeight);
            display.uploadSpectrum(ring.takeLatest());
            display.drawBackground();
        });
    const double peak = columnBrightness(frame, kInnerLeft + 232);
    EXPECT_GT(peak, 3.0 * columnBrightness(frame, kInnerLeft + 200)) << peak;
    EXPECT_GT(peak, 3.0 * columnBrightness(frame, kInnerLeft + 91));
    EXPECT_EQ(frame.brightness(kInnerLeft - 4, kInnerBottom + 50), 0) << "nothing outside the inner area";
}

TEST(EqualiserDisplay, CurveRunsThroughThePointsAndTheRingUnderThePointerLights)
{
    EqPointList flat;
    flat.append(0.0f, 0.5f);
    flat.append(1.0f, 0.5f);
    const EqualiserDisplay::Handle handles[] = {{0.25f, 0.3f, false}, {0.75f, 0.3f, true}};
    const Frame frame = drawOnce(
        [&](GuiResources& resources, ShaderSet& shaders)
        {
            EqualiserDisplay display(resources, shaders, kInner, kWidth, kHeight);
            EqualiserCurveVertices curve;
            curve.rebuild(flat, kInner);
            display.drawGuides(2.0f);
            display.drawCurve(curve);
            display.drawHandles(handles, 2);
        });
    const int centreLine = kInnerBottom + 50;
    const unsigned char* onCurve = frame.at(kInnerLeft + 100, centreLine);
    EXPECT_GT(onCurve[0], 150);
    EXPECT_GT(onCurve[1], 130);
    EXPECT_EQ(frame.brightness(kInnerLeft + 100, centreLine + 20), 0);
    // With a 2 dB range the only guides are the top and bottom edges: faint, dotted, red.
    const auto reddest = [&](int y)
    {
        int red = 0;
        for (int x = kInnerLeft + 100; x < kInnerLeft + 110; ++x)
            for (int dy = -1; dy <= 1; ++dy)
                red = std::max(red, frame.at(x, y + dy)[0] - frame.at(x, y + dy)[2]);
        return red;
    };
    EXPECT_GT(reddest(kInnerBottom + 100), 10);
    EXPECT_GT(reddest(kInnerBottom), 10);
    EXPECT_EQ(reddest(kInnerBottom + 75), 0);

    // Ring centres at x 116 and 348, y 30 above the inner bottom; the brightest pixel on the
    // way out from the centre is on the ring.
    const auto ringPixel = [&](int centreX)
    {
        const unsigned char* best = frame.at(centreX + 4, kInnerBottom + 30);
        for (int r = 4; r <= 10; ++r)
            if (frame.brightness(centreX + r, kInnerBottom + 30) > best[0] + best[1] + best[2])
                best = frame.at(centreX + r, kInnerBottom + 30);
        return best;
    };
    const unsigned char* normal = ringPixel(kInnerLeft + 116);
    const unsigned char* lit = ringPixel(kInnerLeft + 348);
    EXPECT_GT(normal[2], 150) << "the normal ring is pale";
    EXPECT_GT(lit[0], 150);
    EXPECT_LT(lit[2], lit[0] / 2) << "the lit ring is orange";
}
