#pragma once

#include "Canvas.h"

#include <string>

// Writes the canvas as an 8-bit RGB PNG file; throws RenderFailure when it cannot.
void writePngFile(const std::string& path, const Canvas& canvas);
