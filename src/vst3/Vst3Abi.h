#pragma once

// Everything of the VST 3 binary interface this product uses, in one include.

#include "vst3/Vst3AudioProcessor.h"
#include "vst3/Vst3Component.h"
#include "vst3/Vst3EditController.h"
#include "vst3/Vst3Events.h"
#include "vst3/Vst3HostApplication.h"
#include "vst3/Vst3ParameterChanges.h"
#include "vst3/Vst3PlugView.h"
#include "vst3/Vst3PluginFactory.h"
#include "vst3/Vst3ProcessContext.h"
#include "vst3/Vst3Stream.h"
#include "vst3/Vst3Strings.h"
#include "vst3/Vst3Types.h"
#include "vst3/Vst3Units.h"
#include "vst3/Vst3Unknown.h"
