#include "editor/ScopePicture.h"

#include "editor/ScopeBallistics.h"
#include "editor/ScopeLayout.h"
#include "editor/StrokeText.h"
#include "engine/StereoImageReading.h"

#include <algorithm>
#include <cmath>

namespace scope_picture
{
namespace
{

using Colour = GlowQuads::Colour;
using namespace scope_layout;

// The faceplate's palette: the displays' dark glass, their gold light and its pale rim, the
// clip red and the bass ring's blue.
constexpr Colour kGlass{0.018f, 0.022f, 0.030f, 1.0f};
constexpr Colour kGold{1.0f, 0.60f, 0.16f, 1.0f};
constexpr Colour kPale{1.0f, 0.86f, 0.58f, 1.0f};
constexpr Colour kWarning{1.0f, 0.16f, 0.08f, 1.0f};
constexpr Colour kBlue{0.25f, 0.55f, 1.0f, 1.0f};

constexpr float kDiagonal = 0.70710678f;

constexpr float kAxisWidth = 1.5f;
constexpr float kLetterHeight = 8.0f;
constexpr float kLetterStroke = 2.0f;
constexpr float kLetterGap = 10.0f;

// Each point's glow; its light falls with its age so the cloud fades over the reading's
// 0.3 s, and a point further out than the circle's edge by this much is not drawn.
constexpr float kDotRadius = 2.0f;
constexpr float kDotLight = 0.55f;
constexpr float kOldestLight = 0.06f;
constexpr float kOutside = 1.06f;

Colour dimmed(const Colour& colour, float alpha)
{
    return Colour{colour.red, colour.green, colour.blue, alpha};
}

// A value from the analysis as the meter draws it: NaN reads as 0 (no warning, no lean).
float meterValue(float value)
{
    return std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
}

void centredText(GlowQuads& quads, const char* text, float x, float y, const Colour& colour)
{
    stroke_text::draw(quads, text, x - stroke_text::width(text, kLetterHeight) / 2.0f, y - kLetterHeight / 2.0f,
                      kLetterHeight, kLetterStroke, colour);
}

void axes(GlowQuads& quads)
{
    const Colour axis = dimmed(kPale, 0.13f);
    const Colour ring = dimmed(kPale, 0.09f);
    const float reach = kRadius * kDiagonal;
    quads.line(kCentreX, kCentreY - kRadius, kCentreX, kCentreY + kRadius, kAxisWidth, axis);
    quads.line(kCentreX - kRadius, kCentreY, kCentreX + kRadius, kCentreY, kAxisWidth, axis);
    quads.line(kCentreX - reach, kCentreY - reach, kCentreX + reach, kCentreY + reach, kAxisWidth, axis);
    quads.line(kCentreX - reach, kCentreY + reach, kCentreX + reach, kCentreY - reach, kAxisWidth, axis);
    // The circle the loudest points reach, and half of it.
    constexpr int kSegments = 96;
    for (const float radius : {kRadius, kRadius / 2.0f})
    {
        for (int i = 0; i < kSegments; ++i)
        {
            const float a0 = 6.2831853f * static_cast<float>(i) / kSegments;
            const float a1 = 6.2831853f * static_cast<float>(i + 1) / kSegments;
            quads.line(kCentreX + radius * std::cos(a0), kCentreY + radius * std::sin(a0),
                       kCentreX + radius * std::cos(a1), kCentreY + radius * std::sin(a1), kAxisWidth, ring);
        }
    }
    const Colour letters = dimmed(kGold, 0.75f);
    const float out = kRadius + kLetterGap;
    centredText(quads, "M", kCentreX, kCentreY + out, letters);
    centredText(quads, "L", kCentreX - out * kDiagonal, kCentreY + out * kDiagonal, letters);
    centredText(quads, "R", kCentreX + out * kDiagonal, kCentreY + out * kDiagonal, letters);
    centredText(quads, "S", kCentreX - out, kCentreY, letters);
    centredText(quads, "S", kCentreX + out, kCentreY, letters);
}

void points(GlowQuads& quads, const StereoImageReading& reading, float gain)
{
    if (!ScopeBallistics::audible(reading))
        return;
    const int count = std::clamp(reading.pointCount, 0, kScopePointCapacity);
    const float scale = gain * kRadius;
    const float limit = kOutside * kRadius;
    for (int i = 0; i < count; ++i)
    {
        const float x = reading.points[i].side * scale;
        const float y = reading.points[i].mid * scale;
        if (!(x * x + y * y <= limit * limit))
            continue;
        const float age = static_cast<float>(count - 1 - i) / static_cast<float>(count);
        const float fresh = 1.0f - age;
        quads.dot(kCentreX + x, kCentreY + y, kDotRadius,
                  dimmed(kGold, kDotLight * (kOldestLight + (1.0f - kOldestLight) * fresh * fresh)));
    }
}

void correlationMeter(GlowQuads& quads, const StereoImageReading& reading, const ScopeBallistics& ballistics)
{
    const float bottom = kBarMiddleY - kBarHalfHeight;
    const float top = kBarMiddleY + kBarHalfHeight;
    const bool warns = ballistics.hold().warns();
    // The track: the side below 0 in the warning colour, brighter while the hold warns.
    quads.fill(kBarLeft, bottom, kCentreX, top, dimmed(kWarning, warns ? 0.30f : 0.13f));
    quads.fill(kCentreX, bottom, kBarRight, top, dimmed(kGold, 0.07f));
    const Colour tick = dimmed(kPale, 0.30f);
    for (const float value : {-1.0f, -0.5f, 0.0f, 0.5f, 1.0f})
    {
        const float reach = value == 0.0f || std::fabs(value) == 1.0f ? 4.0f : 2.0f;
        quads.line(barX(value), bottom - reach, barX(value), top + reach, 1.0f, tick);
    }
    const Colour label = dimmed(kGold, 0.75f);
    centredText(quads, "-1", kBarLeft - 16.0f, kBarMiddleY, label);
    centredText(quads, "+1", kBarRight + 16.0f, kBarMiddleY, label);

    // The slow needle a wide soft bar, the fast one a bright line, red below 0.
    const float slow = meterValue(reading.correlationSlow);
    const float fast = meterValue(reading.correlationFast);
    quads.line(barX(slow), bottom, barX(slow), top, 6.0f, dimmed(slow < 0.0f ? kWarning : kGold, 0.55f));
    quads.line(barX(fast), bottom - 2.5f, barX(fast), top + 2.5f, 2.6f, dimmed(fast < 0.0f ? kWarning : kPale, 0.95f));

    // The hold: a small wedge above the track pointing down at the lowest value.
    const float held = barX(meterValue(ballistics.hold().lowest()));
    const float wedgeTip[2] = {held, top + 2.0f};
    const float wedgeLeft[2] = {held - 4.0f, top + 8.0f};
    const float wedgeRight[2] = {held + 4.0f, top + 8.0f};
    quads.triangle(wedgeTip, wedgeRight, wedgeLeft, dimmed(warns ? kWarning : kPale, 0.8f));
}

void balanceMark(GlowQuads& quads, const StereoImageReading& reading)
{
    const float bottom = kBarMiddleY - kBarHalfHeight;
    const float at = barX(meterValue(reading.balance));
    const float tip[2] = {at, bottom - 2.0f};
    const float left[2] = {at - 4.0f, bottom - 8.0f};
    const float right[2] = {at + 4.0f, bottom - 8.0f};
    quads.triangle(left, right, tip, dimmed(kBlue, 0.85f));
    const Colour label = dimmed(kBlue, 0.7f);
    centredText(quads, "L", kBarLeft, bottom - 15.0f, label);
    centredText(quads, "C", kCentreX, bottom - 15.0f, label);
    centredText(quads, "R", kBarRight, bottom - 15.0f, label);
}

void sourceSwitch(GlowQuads& quads, ScopeSource source)
{
    const float y = (kSwitchBottom + kSwitchTop) / 2.0f + 1.0f;
    const float inX = kSwitchLeft + 14.0f;
    const float outX = kSwitchLeft + 44.0f;
    const bool input = source == ScopeSource::Input;
    centredText(quads, "IN", inX, y, dimmed(input ? kPale : kGold, input ? 0.95f : 0.4f));
    centredText(quads, "OUT", outX, y, dimmed(input ? kGold : kPale, input ? 0.4f : 0.95f));
    const float underline = input ? inX : outX;
    const float half =
        (input ? stroke_text::width("IN", kLetterHeight) : stroke_text::width("OUT", kLetterHeight)) / 2.0f + 2.0f;
    quads.line(underline - half, y - 8.0f, underline + half, y - 8.0f, 1.4f, dimmed(kGold, 0.7f));
}

}  // namespace

void face(GlowQuads& quads)
{
    quads.fill(0.0f, 0.0f, kPanelSize, kPanelSize, kGlass);
}

void light(const StereoImageReading& reading, const ScopeBallistics& ballistics, ScopeSource source, GlowQuads& quads)
{
    axes(quads);
    points(quads, reading, ballistics.gain());
    correlationMeter(quads, reading, ballistics);
    balanceMark(quads, reading);
    sourceSwitch(quads, source);
}

}  // namespace scope_picture
