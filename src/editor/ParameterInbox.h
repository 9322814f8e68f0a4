#pragma once

#include "base/LatestValueMailbox.h"
#include "params/ParameterTable.h"

// The host's parameter changes on their way from whatever thread made them (the audio
// thread included) to the editor, which takes them before each frame.
using ParameterInbox = LatestValueMailbox<kNumParameters>;
