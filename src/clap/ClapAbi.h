#pragma once

// Everything of the CLAP binary interface this product uses, in one include.

#include "clap/ClapAudioPorts.h"
#include "clap/ClapCore.h"
#include "clap/ClapEvents.h"
#include "clap/ClapGui.h"
#include "clap/ClapLatency.h"
#include "clap/ClapLog.h"
#include "clap/ClapParams.h"
#include "clap/ClapPosixFdSupport.h"
#include "clap/ClapPresetDiscovery.h"
#include "clap/ClapPresetLoad.h"
#include "clap/ClapState.h"
#include "clap/ClapStreams.h"
#include "clap/ClapTail.h"
#include "clap/ClapThreadCheck.h"
#include "clap/ClapTimerSupport.h"
