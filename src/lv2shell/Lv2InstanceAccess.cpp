#include "lv2shell/Lv2InstanceAccess.h"

#include "effect/EffectCore.h"
#include "engine/EngineHost.h"
#include "identity/EffectIdentity.h"

#include <cstdio>

Lv2InstanceAccess::Stamp lv2InstanceStamp()
{
    Lv2InstanceAccess::Stamp stamp{};
    std::snprintf(stamp.data(), stamp.size(), "%s %s LV2 %zu %zu %zu", kEffectIdentity.product,
                  kEffectIdentity.versionText, sizeof(Lv2InstanceAccess), sizeof(EngineHost), sizeof(EffectCore));
    return stamp;
}
