#pragma once

// Resolves the OpenGL 2.0 and extension entry points against the context that is current
// now. Safe to call at every editor open. False when the driver lacks what the editor needs.
bool initialiseGlEntryPoints();

// Turns multisampled drawing on, where the pixel format has samples.
void enableMultisampling();
