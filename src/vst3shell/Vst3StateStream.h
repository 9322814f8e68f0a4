#pragma once

#include "vst3/Vst3Stream.h"

#include <cstddef>

// A host's stream may move fewer bytes per call than asked, so both sides loop.

// Writes all `size` bytes; false when the stream reports an error or stops taking bytes.
bool writeWhole(vst3::IBStream& stream, const void* bytes, std::size_t size);

// Reads exactly `size` bytes from the stream's position and makes sure nothing follows them;
// false for a stream that ends sooner, reports an error first, or holds more.
bool readExactly(vst3::IBStream& stream, void* buffer, std::size_t size);
