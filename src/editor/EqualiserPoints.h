#pragma once

#include "params/ParameterTable.h"

// The equaliser's points as the parameters hold them: the count in "Eq_Num" (index 6, count /
// 16) and point k in parameters 7 + 2k (x) and 8 + 2k (y), all 0..1. Slot 0 holds the left
// end point and slot count - 1 always the right one; the slots below it stay dense. The
// parameters are the only model: every rule reads them and writes changes back.
class EqualiserPoints
{
public:
    // Where the points live. `change` is an edit the host must see as automation.
    class Parameters
    {
    public:
        virtual ~Parameters() = default;
        virtual float read(int index) = 0;
        virtual void change(int index, float value) = 0;
    };

    static constexpr int kMaxPoints = kMaxEqPoints;
    static constexpr float kCentre = 0.5f;  // the 0 dB line

    explicit EqualiserPoints(Parameters& parameters) : store(parameters) {}

    int count();
    float x(int point);
    float y(int point);

    // The point whose hit box (halfWidth, halfHeight in curve units) holds (px, py), the
    // nearest one when several do, the lower slot on a tie; -1 when none.
    int pointAt(float px, float py, float halfWidth, float halfHeight);

    // A new point takes the right end point's slot and the end point moves up one. Answers
    // the new point's slot, or -1 when all 16 are in use.
    int add(float px, float py);
    // Middle points only; the slot is refilled from the top so the slots stay dense.
    void remove(int point);
    void resetToCentre(int point);
    // End points move only vertically.
    void move(int point, float px, float py);
    bool isEndPoint(int point);

private:
    void setX(int point, float value);
    void setY(int point, float value);
    void setCount(int points);

    Parameters& store;
};
