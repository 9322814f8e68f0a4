#pragma once

#include <cstddef>
#include <string>

// How a control's value reads on screen. The same texts go to the host for its own display
// of our parameters, so the editor and the host never disagree.
enum ValueDisplayKind : int
{
    kDisplayNone = 0,
    kDisplayPlain = 1,        // "%4.4f"
    kDisplayPercent = 3,      // the display value is already 100 x the normalised one
    kDisplayDecibels = 4,     // the display value is a linear gain
    kDisplayShapeCurve = 13,  // the Shape curve is drawn, then the text reads as plain
    kDisplayOnOff = 15,
};

// The editor's text for a display value; empty for kDisplayNone.
std::string formatValueText(int displayKind, float displayValue);

// The value display of the control bound to a parameter, or kDisplayNone when no control
// shows one.
int displayKindOfParameter(int parameterIndex);

// The host's text for a parameter: the editor's text where a control shows one, a plain
// number otherwise, always NUL-terminated within `capacity` bytes. When the editor's text is
// too long (far-out values) a shorter form of the same number is written instead.
void formatParameterDisplay(int parameterIndex, float displayValue, char* text, std::size_t capacity);

// The label a host prints after a parameter's text: none where the text carries its unit or
// is a word ("dB", "%", "on"/"off", "-inf."), "amount" where it is a plain number.
const char* parameterLabel(int parameterIndex);
