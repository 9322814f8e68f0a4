#pragma once

#include <array>

class EditorEffect;
class EngineHost;

// What the DSP binary's LV2 handle points at, and so what a host that offers instance-access
// hands the UI binary. The two binaries are built from one tree, but each holds its own copy
// of the code: the UI trusts the handle only when its stamp (product, version and the sizes
// of what the UI reaches) is the UI's own, reaches the effect only through virtual calls
// (code of the DSP binary's) and the engine only through its lock-free display hand-offs.
struct Lv2InstanceAccess
{
    using Stamp = std::array<char, 64>;

    Stamp stamp;
    // The live displays' source.
    EngineHost* engine;
    // The program's name, which the editor keeps its preset's name in.
    EditorEffect* effect;
};

// The stamp of this build.
Lv2InstanceAccess::Stamp lv2InstanceStamp();
