// How far a control's drawing reaches on screen decides what a partial frame draws again:
// a bound that is too small leaves stale pixels behind.
#include "glgui/ReachProjector.h"
#include "glgui/Model3DS.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
const int kViewport[4] = {0, 0, kWidth, kHeight};

// One scene unit is one pixel, origin at the window centre (as the editor's camera gives
// at depth 0), with a perspective divide by the distance to an eye at z = 1000.
void cameraAt1000(float out[16])
{
    const float matrix[16] = {2.0f / kWidth, 0, 0, 0, 0, 2.0f / kHeight, 0, 0, 0, 0, -0.001f, -0.001f, 0, 0, 0, 1};
    std::copy(matrix, matrix + 16, out);
}

}  // namespace

TEST(ReachProjector, BoxesLandWhereTheCameraPutsThemWithAMargin)
{
    float projection[16];
    cameraAt1000(projection);
    const ReachProjector projector(projection, kViewport);
    float place[16];
    ReachProjector::translation(100.0f, 50.0f, 0.0f, place);
    const ScreenRect flat = projector.box(place, {{-10.0f, -5.0f, 0.0f}, {10.0f, 5.0f, 0.0f}});
    EXPECT_EQ(flat.minX, kWidth / 2 + 90 - 2);
    EXPECT_EQ(flat.maxX, kWidth / 2 + 110 + 2);
    EXPECT_EQ(flat.minY, kHeight / 2 + 45 - 2);
    EXPECT_EQ(flat.maxY, kHeight / 2 + 55 + 2);

    // Nearer the eye the top of a raised box spreads outwards: the bound holds it.
    const ScreenRect raised = projector.box(place, {{-10.0f, -5.0f, 0.0f}, {10.0f, 5.0f, 100.0f}});
    EXPECT_TRUE(raised.covers(flat));
    EXPECT_EQ(raised.maxX, static_cast<int>(std::ceil(kWidth / 2 + 110.0f / 0.9f)) + 2);

    // Anything reaching behind the eye may land anywhere.
    const ScreenRect behind = projector.box(place, {{-10.0f, -5.0f, 0.0f}, {10.0f, 5.0f, 2000.0f}});
    EXPECT_EQ(behind.minX, 0);
    EXPECT_EQ(behind.maxY, kHeight);
}

TEST(ReachProjector, ATurnedBoxHoldsTheModelAtEveryAngleAndTranslationsCompose)
{
    Model3DS model;
    model.meshes.resize(2);
    model.meshes[0].vertices = {-3.0f, 1.0f, 0.0f, 4.0f, 2.0f, 1.0f};
    model.meshes[1].vertices = {0.0f, -6.0f, 5.0f};
    const ReachProjector::SceneBox bounds = ReachProjector::modelBounds(model);
    EXPECT_EQ(bounds.low[1], -6.0f);
    EXPECT_EQ(bounds.high[0], 4.0f);
    EXPECT_EQ(bounds.high[2], 5.0f);

    const ReachProjector::SceneBox turned = ReachProjector::turned(2, bounds);
    EXPECT_EQ(turned.low[2], bounds.low[2]) << "the axis itself is kept";
    for (int degrees = 0; degrees < 360; degrees += 5)
    {
        const float angle = static_cast<float>(degrees) * 3.14159265f / 180.0f;
        for (int c = 0; c < 4; ++c)
        {
            const float x = (c & 1) != 0 ? bounds.high[0] : bounds.low[0];
            const float y = (c & 2) != 0 ? bounds.high[1] : bounds.low[1];
            const float turnedX = x * std::cos(angle) - y * std::sin(angle);
            const float turnedY = x * std::sin(angle) + y * std::cos(angle);
            EXPECT_LE(std::fabs(turnedX), turned.high[0] + 1e-4f) << degrees;
            EXPECT_LE(std::fabs(turnedY), turned.high[1] + 1e-4f) << degrees;
        }
    }

    float a[16];
    float b[16];
    float both[16];
    ReachProjector::translation(1.0f, 2.0f, 3.0f, a);
    ReachProjector::translation(10.0f, 20.0f, 30.0f, b);
    ReachProjector::multiply(a, b, both);
    EXPECT_EQ(both[12], 11.0f);
    EXPECT_EQ(both[13], 22.0f);
    EXPECT_EQ(both[14], 33.0f);
    EXPECT_EQ(both[15], 1.0f);
}
