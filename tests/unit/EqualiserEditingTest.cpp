#include "editor/EqualiserCurveVertices.h"
#include "editor/EqualiserPointer.h"
#include "editor/EqualiserPoints.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace
{

// The parameters as the effect holds them, with every change the host would see.
class FakeParameters : public EqualiserPoints::Parameters
{
public:
    FakeParameters()
    {
        for (int i = 0; i < kNumParameters; ++i)
            values[i] = kParameterTable[i].defaultValue;
    }
    float read(int index) override { return values.at(index); }
    void change(int index, float value) override
    {
        values.at(index) = value;
        automated.emplace_back(index, value);
    }

    std::array<float, kNumParameters> values{};
    std::vector<std::pair<int, float>> automated;
};

std::vector<std::pair<float, float>> slots(EqualiserPoints& points)
{
    std::vector<std::pair<float, float>> result;
    for (int k = 0; k < points.count(); ++k)
        result.emplace_back(points.x(k), points.y(k));
    return result;
}

// Five points whose slots are told apart by their y.
void fivePoints(EqualiserPoints& points)
{
    points.add(0.2f, 0.1f);
    points.add(0.4f, 0.2f);
    points.add(0.6f, 0.3f);
}

using Slots = std::vector<std::pair<float, float>>;

}  // namespace

TEST(EqualiserPoints, DefaultProgramIsTwoEndPointsOnTheCentreLine)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    EXPECT_EQ(slots(points), (Slots{{0.0f, 0.5f}, {1.0f, 0.5f}}));
}

TEST(EqualiserPoints, AddingKeepsTheRightEndPointInTheLastSlotUpToSixteen)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    parameters.values[eqPointYIndex(1)] = 0.7f;
    EXPECT_EQ(points.add(0.3f, 0.9f), 1);
    EXPECT_EQ(slots(points), (Slots{{0.0f, 0.5f}, {0.3f, 0.9f}, {1.0f, 0.7f}}));
    EXPECT_FLOAT_EQ(parameters.values[kParamEqNum], 0.1875f);
    for (int added = 3; added < 16; ++added)
    {
        EXPECT_EQ(points.add(0.05f * added, 0.25f), added - 1);
        EXPECT_FLOAT_EQ(parameters.values[kParamEqNum], (added + 1) * 0.0625f);
        EXPECT_EQ(slots(points).back(), std::make_pair(1.0f, 0.7f));
    }
    const auto full = parameters.values;
    EXPECT_EQ(points.add(0.5f, 0.5f), -1);
    EXPECT_EQ(parameters.values, full);
}

TEST(EqualiserPoints, RemovingAMiddlePointRefillsItsSlotFromTheTop)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    points.add(0.5f, 0.1f);
    points.remove(1);
    EXPECT_EQ(slots(points), (Slots{{0.0f, 0.5f}, {1.0f, 0.5f}}));
    EXPECT_FLOAT_EQ(parameters.values[kParamEqNum], 0.125f);

    FakeParameters five;
    EqualiserPoints fivePointList(five);
    fivePoints(fivePointList);
    fivePointList.remove(1);
    EXPECT_EQ(slots(fivePointList), (Slots{{0.0f, 0.5f}, {0.6f, 0.3f}, {0.4f, 0.2f}, {1.0f, 0.5f}}));
    EXPECT_FLOAT_EQ(five.values[kParamEqNum], 0.25f);
    fivePointList.remove(2);  // the slot just below the end point
    EXPECT_EQ(slots(fivePointList), (Slots{{0.0f, 0.5f}, {0.6f, 0.3f}, {1.0f, 0.5f}}));
}

TEST(EqualiserPoints, EndPointsAreNeverRemovedAndMoveOnlyVertically)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    fivePoints(points);
    const Slots before = slots(points);
    points.remove(0);
    points.remove(4);
    EXPECT_EQ(slots(points), before);
    EXPECT_TRUE(points.isEndPoint(0));
    EXPECT_TRUE(points.isEndPoint(4));
    EXPECT_FALSE(points.isEndPoint(2));

    points.move(0, 0.5f, 0.9f);
    points.move(4, 0.5f, 0.1f);
    points.move(2, 0.9f, 0.8f);  // a middle point may pass its neighbours
    EXPECT_EQ(slots(points), (Slots{{0.0f, 0.9f}, {0.2f, 0.1f}, {0.9f, 0.8f}, {0.6f, 0.3f}, {1.0f, 0.1f}}));
    points.resetToCentre(4);
    points.resetToCentre(2);
    EXPECT_EQ(points.y(4), 0.5f);
    EXPECT_EQ(points.y(2), 0.5f);
    EXPECT_EQ(points.x(2), 0.9f);
}

TEST(EqualiserPoints, HitBoxesAreInclusiveAndTheNearestPointWins)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    points.add(0.5f, 0.5f);
    points.add(0.52f, 0.5f);  // slot 2, right of slot 1
    EXPECT_EQ(points.pointAt(0.515f, 0.5f, 0.1f, 0.1f), 2);
    EXPECT_EQ(points.pointAt(0.505f, 0.5f, 0.1f, 0.1f), 1);
    EXPECT_EQ(points.pointAt(0.51f, 0.5f, 0.1f, 0.1f), 1);  // a tie: the lower slot
    EXPECT_EQ(points.pointAt(0.25f, 0.5f, 0.25f, 0.1f), 0);
    EXPECT_EQ(points.pointAt(0.25f, 0.5f, 0.2f, 0.1f), -1);
    EXPECT_EQ(points.pointAt(0.0f, 0.75f, 0.1f, 0.25f), 0);
    EXPECT_EQ(points.pointAt(0.0f, 0.76f, 0.1f, 0.25f), -1);
}

TEST(EqualiserPoints, EveryEditReachesTheHostAndNothingOutsideTheEqualiser)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    fivePoints(points);
    points.move(2, 0.3f, 0.3f);
    points.remove(2);
    points.resetToCentre(1);
    for (const auto& [index, value] : parameters.automated)
    {
        EXPECT_GE(index, kParamEqNum);
        EXPECT_LT(index, kParamEqGain);
    }
    EXPECT_GT(parameters.automated.size(), 10u);

    // A host that set no points at all: the first point goes to slot 0, Gain stays put.
    FakeParameters empty;
    empty.values[kParamEqNum] = 0.0f;
    EqualiserPoints none(empty);
    EXPECT_EQ(none.add(0.3f, 0.6f), 0);
    EXPECT_EQ(slots(none), (Slots{{0.3f, 0.6f}}));
    EXPECT_EQ(empty.values[kParamGain], kParameterTable[kParamGain].defaultValue);
}

TEST(EqualiserCurveVertices, FollowTheSplineThroughThePointsWithinTheArea)
{
    const EqualiserCurveVertices::Rectangle area{-0.9f, -0.8f, 1.8f, 0.4f};
    EqPointList flat;
    flat.append(0.0f, 0.5f);
    flat.append(1.0f, 0.5f);
    EqualiserCurveVertices vertices;
    ASSERT_TRUE(vertices.rebuild(flat, area));
    EXPECT_EQ(vertices.size(), 135);  // 0 .. 1 in steps of 0.0075, then the end
    for (int i = 0; i < vertices.size(); ++i)
        EXPECT_FLOAT_EQ(vertices.data()[2 * i + 1], -0.6f);
    EXPECT_FLOAT_EQ(vertices.data()[0], -0.9f);
    EXPECT_FLOAT_EQ(vertices.data()[2 * vertices.size() - 2], 0.9f);

    EqPointList peak;
    peak.append(0.0f, 0.5f);
    peak.append(0.5f, 1.0f);
    peak.append(1.0f, 0.0f);
    ASSERT_TRUE(vertices.rebuild(peak, area));
    float previousX = -2.0f;
    for (int i = 0; i < vertices.size(); ++i)
    {
        const float x = vertices.data()[2 * i];
        const float y = vertices.data()[2 * i + 1];
        EXPECT_GE(x, previousX);
        EXPECT_GE(y, area.bottom - 1e-6f);
        EXPECT_LE(y, area.bottom + area.height + 1e-6f);
        if (std::abs(x) < 1e-4f)
        {
            EXPECT_NEAR(y, area.bottom + area.height, 1e-5f);  // through the middle point
        }
        previousX = x;
    }
    EXPECT_FLOAT_EQ(vertices.data()[2 * vertices.size() - 1], area.bottom);
}

TEST(EqualiserCurveVertices, SixteenPointsStayWithinTheLimitAndFewerThanTwoKeepTheCurve)
{
    EqPointList many;
    for (int k = 0; k < 16; ++k)
        many.append(static_cast<float>(k) / 15.0f, static_cast<float>(k % 2));
    EqualiserCurveVertices vertices;
    ASSERT_TRUE(vertices.rebuild(many, {0.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_GT(vertices.size(), 130);
    EXPECT_LE(vertices.size(), EqualiserCurveVertices::kMaxVertices);
    const int built = vertices.size();

    EqPointList one;
    one.append(0.5f, 0.5f);
    EXPECT_FALSE(vertices.rebuild(one, {0.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(vertices.size(), built);
}

namespace
{

// The layout's 478 x 114 box with the curve square 8 pixels in: pointer (8 + 466 px, 8 + 102 py).
constexpr EqualiserPointer::Area kArea{8.0f, 8.0f, 466.0f, 102.0f};
constexpr int kRight = 8;
constexpr int kControl = 32;
constexpr int kAlt = 64;

// Pointer positions are whole pixels.
constexpr float kHalfPixel = 0.5f / 102.0f;

int pointerX(float px)
{
    return static_cast<int>(std::lround(8.0f + px * 466.0f));
}
int pointerY(float py)
{
    return static_cast<int>(std::lround(8.0f + py * 102.0f));
}

}  // namespace

TEST(EqualiserPointer, SecondaryClickInEmptySpaceAddsAPointThatFollowsTheDrag)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    EqualiserPointer pointer(points, kArea);
    EXPECT_EQ(pointer.over(pointerX(0.5f), pointerY(0.5f)), platform::PointerCursor::Arrow);
    EXPECT_EQ(pointer.press(kRight, pointerX(0.5f), pointerY(0.5f)), platform::PointerCursor::Hand);
    EXPECT_EQ(pointer.selected(), 1);
    EXPECT_FLOAT_EQ(parameters.values[kParamEqNum], 0.1875f);
    parameters.automated.clear();
    pointer.drag(pointerX(0.25f), pointerY(0.75f));
    pointer.release();
    EXPECT_NEAR(points.x(1), 0.25f, kHalfPixel);
    EXPECT_NEAR(points.y(1), 0.75f, kHalfPixel);
    EXPECT_EQ(points.x(2), 1.0f);
    EXPECT_FALSE(parameters.automated.empty()) << "the drag reaches the host";

    // Alt-click is the same as a right-click; beyond the screen edges values clamp.
    pointer.press(kAlt, pointerX(0.8f), pointerY(0.2f));
    pointer.drag(2000, -50);
    EXPECT_EQ(points.count(), 4);
    EXPECT_EQ(points.x(2), 1.0f);
    EXPECT_EQ(points.y(2), 0.0f);

    for (int i = 0; i < 12; ++i)
        pointer.press(kRight, pointerX(0.05f + 0.05f * i), pointerY(0.9f));
    EXPECT_EQ(points.count(), 16);
    EXPECT_EQ(pointer.press(kRight, pointerX(0.9f), pointerY(0.95f)), platform::PointerCursor::Arrow);
    EXPECT_EQ(points.count(), 16);
}

TEST(EqualiserPointer, SecondaryClickOnAPointRemovesItOrResetsAnEndPoint)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    fivePoints(points);
    EqualiserPointer pointer(points, kArea);
    EXPECT_EQ(pointer.over(pointerX(0.2f) + 10, pointerY(0.1f) - 9), platform::PointerCursor::Hand);
    EXPECT_EQ(pointer.over(pointerX(0.2f) + 17, pointerY(0.1f)), platform::PointerCursor::Arrow);
    pointer.press(kRight, pointerX(0.2f) + 3, pointerY(0.1f));
    EXPECT_EQ(pointer.selected(), -1);
    EXPECT_EQ(slots(points), (Slots{{0.0f, 0.5f}, {0.6f, 0.3f}, {0.4f, 0.2f}, {1.0f, 0.5f}}));

    parameters.values[eqPointYIndex(3)] = 0.9f;
    pointer.press(kRight, pointerX(1.0f), pointerY(0.9f));
    pointer.drag(pointerX(1.0f), pointerY(0.2f));
    pointer.release();
    EXPECT_EQ(points.count(), 4);
    EXPECT_EQ(points.y(3), 0.5f) << "reset to the centre line, and not dragged away";
}

TEST(EqualiserPointer, CtrlClickResetsWithoutDraggingAndEndPointsMoveOnlyVertically)
{
    FakeParameters parameters;
    EqualiserPoints points(parameters);
    fivePoints(points);
    EqualiserPointer pointer(points, kArea);
    pointer.press(kControl, pointerX(0.4f), pointerY(0.2f));
    pointer.drag(pointerX(0.5f), pointerY(0.9f));
    pointer.release();
    EXPECT_EQ(points.x(2), 0.4f);
    EXPECT_EQ(points.y(2), 0.5f);

    parameters.automated.clear();
    pointer.press(0, pointerX(0.0f), pointerY(0.5f));
    EXPECT_TRUE(parameters.automated.empty()) << "a plain press changes nothing";
    pointer.drag(pointerX(0.3f), pointerY(0.8f));
    pointer.release();
    EXPECT_EQ(points.x(0), 0.0f);
    EXPECT_NEAR(points.y(0), 0.8f, kHalfPixel);

    pointer.press(0, pointerX(0.6f), pointerY(0.3f));
    pointer.drag(pointerX(0.1f), pointerY(0.3f));  // past its neighbours
    EXPECT_NEAR(points.x(3), 0.1f, kHalfPixel);
    pointer.release();
    EXPECT_EQ(pointer.drag(pointerX(0.9f), pointerY(0.9f)), platform::PointerCursor::Arrow);
    EXPECT_NEAR(points.x(3), 0.1f, kHalfPixel) << "no drag after the release";
}
