#pragma once

#include "base/LatestValueMailbox.h"
#include "params/ParameterTable.h"

// Parameter changes on their way to the audio thread, which takes them at the start of each
// block: one slot per parameter, so a burst of automation costs one update.
using ParameterChangeQueue = LatestValueMailbox<kNumParameters>;
