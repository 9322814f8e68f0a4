#pragma once

#include "vst/VstAbi.h"

// A host callback that answers only the version question, for tests that create the
// effect directly.
inline VstIntPtr silentHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}
