#pragma once

#include "FormatEditor.h"
#include "editor/EditorLayout.h"
#include "host/HostPointer.h"
#include "host/HostWindow.h"
#include "support/CapturedFrame.h"

#include <string>
#include <vector>

// What a host does around any format's editor: turns its loop, reads the frame it presented,
// and moves the user's pointer over it. The editor's design size and the layout table say
// where each control is.
inline constexpr int kEditorWidth = 512;
inline constexpr int kEditorHeight = 624;

struct WindowPoint
{
    int x;
    int yFromTop;
};

// Turns of a host's loop about 10 ms apart, the host window's messages delivered first.
void turnLoop(FormatEditor& editor, HostWindow& window, int turns);

// The frame the editor presented last, turning the loop until there is one (a frame of no
// size when none comes). An editor presents only what changed: to see the frame a call
// makes, remove the capture file before that call.
CapturedFrame presentedFrame(FormatEditor& editor, HostWindow& window);

const layout::Row& layoutRow(const std::string& name);
// A layout position (from the faceplate's bottom-left corner) in window pixels at the design size.
WindowPoint windowPoint(float relativeX, float relativeY);
WindowPoint centreOf(const layout::Row& control);

// Presses on the control's centre, moves up by `pixels` in four steps and lets go, the loop
// turning between as a user's hand is slower than the host.
void dragUp(FormatEditor& editor, HostWindow& window, HostPointer& pointer, const layout::Row& control, int pixels);

// Presses and lets go at a point, the loop turning between.
void click(FormatEditor& editor, HostWindow& window, HostPointer& pointer, WindowPoint at);

// Mean absolute difference of two frames' red, green and blue per pixel inside a window
// rectangle (clipped to the frames).
double meanDifference(const CapturedFrame& a, const CapturedFrame& b, int left, int top, int right, int bottom);

// Exactly a begin, values of this parameter only, an end; the last value is the one the host
// reads now.
void expectOneGesture(const std::vector<HostEdit>& edits, int parameter, double valueNow);
