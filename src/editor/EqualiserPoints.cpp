#include "editor/EqualiserPoints.h"

#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr float kCountStep = 1.0f / EqualiserPoints::kMaxPoints;

}  // namespace

int EqualiserPoints::count()
{
    return std::clamp(eqPointCount(store.read(kParamEqNum)), 0, kMaxPoints);
}

float EqualiserPoints::x(int point)
{
    return store.read(eqPointXIndex(point));
}

float EqualiserPoints::y(int point)
{
    return store.read(eqPointYIndex(point));
}

void EqualiserPoints::setX(int point, float value)
{
    store.change(eqPointXIndex(point), value);
}

void EqualiserPoints::setY(int point, float value)
{
    store.change(eqPointYIndex(point), value);
}

void EqualiserPoints::setCount(int points)
{
    store.change(kParamEqNum, static_cast<float>(points) * kCountStep);
}

int EqualiserPoints::pointAt(float px, float py, float halfWidth, float halfHeight)
{
    int best = -1;
    float bestDistance = 0.0f;
    const int points = count();
    for (int k = 0; k < points; ++k)
    {
        const float dx = x(k) - px;
        const float dy = y(k) - py;
        if (std::abs(dx) > halfWidth || std::abs(dy) > halfHeight)
            continue;
        const float distance = dx * dx + dy * dy;
        if (best < 0 || distance < bestDistance)
        {
            best = k;
            bestDistance = distance;
        }
    }
    return best;
}

int EqualiserPoints::add(float px, float py)
{
    const int points = count();
    if (points >= kMaxPoints)
        return -1;
    // Without points there is no end point to move up (and slot -1 would be the Gain
    // parameter): the first point simply takes slot 0.
    if (points == 0)
    {
        setX(0, px);
        setY(0, py);
        setCount(1);
        return 0;
    }
    const int endSlot = points - 1;
    const float endX = x(endSlot);
    const float endY = y(endSlot);
    setX(endSlot, px);
    setY(endSlot, py);
    setX(points, endX);
    setY(points, endY);
    setCount(points + 1);
    return endSlot;
}

void EqualiserPoints::remove(int point)
{
    const int points = count();
    if (point <= 0 || point >= points - 1)
        return;
    if (points > 3)
    {
        setX(point, x(points - 2));
        setY(point, y(points - 2));
    }
    setX(points - 2, x(points - 1));
    setY(points - 2, y(points - 1));
    setCount(points - 1);
}

void EqualiserPoints::resetToCentre(int point)
{
    if (point >= 0 && point < count())
        setY(point, kCentre);
}

bool EqualiserPoints::isEndPoint(int point)
{
    return point == 0 || point == count() - 1;
}

void EqualiserPoints::move(int point, float px, float py)
{
    const int points = count();
    if (point < 0 || point >= points)
        return;
    if (point > 0 && point < points - 1)
        setX(point, px);
    setY(point, py);
}
