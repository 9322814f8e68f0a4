#pragma once

// Where the Scope view puts its parts, in design units from the stereo gain panel's
// bottom-left corner (the panel is kPanelSize square).
namespace scope_layout
{

constexpr float kPanelSize = 319.5f;

// The goniometer: mid upwards, side across, kRadius the circle's.
constexpr float kCentreX = kPanelSize / 2.0f;
constexpr float kCentreY = 180.0f;
constexpr float kRadius = 114.0f;

// The correlation meter along the lower edge: -1 at kBarLeft, +1 at kBarRight. The balance
// mark shares it: all left at kBarLeft, all right at kBarRight.
constexpr float kBarLeft = 48.0f;
constexpr float kBarRight = kPanelSize - kBarLeft;
constexpr float kBarMiddleY = 34.0f;
constexpr float kBarHalfHeight = 4.5f;

// The input/output switch in the top-left corner.
constexpr float kSwitchLeft = 8.0f;
constexpr float kSwitchBottom = 294.0f;
constexpr float kSwitchRight = 72.0f;
constexpr float kSwitchTop = 314.0f;

constexpr float barX(float value)
{
    return kCentreX + value * (kBarRight - kBarLeft) / 2.0f;
}

constexpr bool inSwitch(float x, float y)
{
    return x >= kSwitchLeft && x <= kSwitchRight && y >= kSwitchBottom && y <= kSwitchTop;
}

}  // namespace scope_layout
