#pragma once

// When the environment variable VANTOR_CAPTURE_FRAME names a file, every presented frame
// is also written there as a PNG (top row first), read back from inside the process.
// Tests use it to see exactly what the user sees; without the variable it costs nothing.
void captureFrameIfRequested(int width, int height);
