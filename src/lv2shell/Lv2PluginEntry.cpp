// The C side of the LV2 binary: the exported descriptor and its calls, each a thin call into
// Lv2Effect. No exception ever crosses into the host: every call that can allocate is guarded.
#include "identity/EffectIdentity.h"
#include "lv2shell/Lv2Effect.h"
#include "lv2shell/Lv2InstanceLink.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <cstddef>
#include <cstring>
#include <exception>
#include <memory>
#include <type_traits>

namespace
{

// The handle hosts hold: the record the UI binary reads through instance-access comes first.
struct Lv2Instance
{
    Lv2InstanceAccess access;
    Lv2Effect* effect;
};
static_assert(std::is_standard_layout_v<Lv2Instance> && offsetof(Lv2Instance, access) == 0);

Lv2Effect& effectOf(LV2_Handle instance)
{
    return *static_cast<Lv2Instance*>(instance)->effect;
}

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const* features)
{
    try
    {
        std::unique_ptr<Lv2Effect> effect = Lv2Effect::create(sampleRate, features);
        if (!effect)
            return nullptr;
        auto instance = std::make_unique<Lv2Instance>();
        instance->access = beginLv2InstanceAccess(*effect);
        instance->effect = effect.release();
        return instance.release();
    }
    catch (const std::exception&)
    {
        return nullptr;
    }
}

void connectPort(LV2_Handle instance, std::uint32_t port, void* data)
{
    effectOf(instance).connectPort(port, data);
}

void activate(LV2_Handle instance)
{
    effectOf(instance).activate();
}

void run(LV2_Handle instance, std::uint32_t frames)
{
    effectOf(instance).run(frames);
}

void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle handle)
{
    auto* instance = static_cast<Lv2Instance*>(handle);
    endLv2InstanceAccess(instance->access);
    delete instance->effect;
    delete instance;
}

LV2_State_Status saveState(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle, std::uint32_t,
                           const LV2_Feature* const*)
{
    try
    {
        return effectOf(instance).saveState(store, handle);
    }
    catch (const std::exception&)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

LV2_State_Status restoreState(LV2_Handle instance, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                              std::uint32_t, const LV2_Feature* const*)
{
    try
    {
        return effectOf(instance).restoreState(retrieve, handle);
    }
    catch (const std::exception&)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

const LV2_State_Interface kState{saveState, restoreState};

const void* extensionData(const char* uri)
{
    if (uri != nullptr && std::strcmp(uri, LV2_STATE__interface) == 0)
        return &kState;
    return nullptr;
}

const LV2_Descriptor kDescriptor{
    kEffectIdentity.lv2Uri, instantiate, connectPort, activate, run, deactivate, cleanup, extensionData,
};

}  // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(std::uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
