#pragma once

#include "lv2shell/Lv2InstanceAccess.h"

class Lv2Effect;

// The DSP binary's side of instance-access: the record an instance hands its UI, whose
// context holds the effect until the instance ends and lives on, doing nothing, until the
// UI has released it too (a host should clean the UI up first; not every host does).
Lv2InstanceAccess beginLv2InstanceAccess(Lv2Effect& effect);
void endLv2InstanceAccess(const Lv2InstanceAccess& access);
