#pragma once

// The software renderer's own floor, for comparison with the editor's first opening: a bare
// GL context and window of width x height, one triangle drawn and shown, in wall-clock
// milliseconds from connecting to the window system. Negative when no GL window could be made.
double bareGlFirstTriangleMs(int width, int height);

// Clears and draws one triangle with the fixed-function pipeline, in the current context.
void drawBareTriangle();
