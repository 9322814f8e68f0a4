#pragma once

#include "vst3/Vst3PlugView.h"

class Vst3Effect;

// The editor's view for IEditController::createView("editor"), with one reference for the
// host; null when there is none to give. The view reaches the effect through
// effect.core(), sends edits through effect.componentHandler() (the core's EffectHostLink
// calls already do) and finds the host's run loop through its plug frame or
// effect.hostContext(). UI thread only.
vst3::IPlugView* createEditorView(Vst3Effect& effect);
