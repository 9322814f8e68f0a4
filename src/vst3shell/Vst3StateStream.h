#pragma once

#include "effect/HostStateStream.h"
#include "vst3/Vst3Stream.h"

// A VST3 host's IBStream as the effect's state loop takes it, from the stream's position.
// A read the host answers with anything but a plain result counts as the stream's end:
// hosts differ in what they answer there.
StateWriter stateWriterOf(vst3::IBStream& stream);
StateReader stateReaderOf(vst3::IBStream& stream);
