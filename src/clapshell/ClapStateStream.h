#pragma once

#include "clap/ClapStreams.h"
#include "effect/HostStateStream.h"

// CLAP's state streams as the effect's state loop takes them. A stream without its function
// reports an error.
StateWriter stateWriterOf(const clap::OutputStream& stream);
StateReader stateReaderOf(const clap::InputStream& stream);
