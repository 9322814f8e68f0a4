#pragma once

#include "clap/ClapStreams.h"

#include <cstddef>
#include <optional>

// A host's stream may move fewer bytes per call than asked, so both sides loop.

// Writes all `size` bytes; false when the stream reports an error or stops taking bytes.
bool writeWhole(const clap::OutputStream& stream, const void* bytes, std::size_t size);

// Reads the stream to its end into `buffer`; the byte count, or nothing when the stream
// reports an error or holds more than `capacity` bytes.
std::optional<std::size_t> readWhole(const clap::InputStream& stream, void* buffer, std::size_t capacity);
