#include "lv2ui/Lv2UiHostFeatures.h"

#include <lv2/atom/atom.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>

namespace
{

const void* featureData(const LV2_Feature* const* features, const char* uri)
{
    for (; features != nullptr && *features != nullptr; ++features)
    {
        if ((*features)->URI != nullptr && std::strcmp((*features)->URI, uri) == 0)
            return (*features)->data;
    }
    return nullptr;
}

float scaleFactorOf(const LV2_Options_Option* options, const LV2_URID_Map* map)
{
    if (options == nullptr || map == nullptr || map->map == nullptr)
        return 0.0f;
    const LV2_URID scaleFactor = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    for (; options->key != 0; ++options)
    {
        if (options->context != LV2_OPTIONS_INSTANCE || options->key != scaleFactor || options->type != floatType ||
            options->size != sizeof(float) || options->value == nullptr)
            continue;
        float factor = 0.0f;
        std::memcpy(&factor, options->value, sizeof factor);
        return std::isfinite(factor) && factor > 0.0f ? factor : 0.0f;
    }
    return 0.0f;
}

}  // namespace

Lv2UiHostFeatures Lv2UiHostFeatures::read(const LV2_Feature* const* features)
{
    Lv2UiHostFeatures found;
    found.parent = const_cast<void*>(featureData(features, LV2_UI__parent));
    found.resize = static_cast<const LV2UI_Resize*>(featureData(features, LV2_UI__resize));
    if (found.resize != nullptr && found.resize->ui_resize == nullptr)
        found.resize = nullptr;
    found.touch = static_cast<const LV2UI_Touch*>(featureData(features, LV2_UI__touch));
    if (found.touch != nullptr && found.touch->touch == nullptr)
        found.touch = nullptr;
    found.instance = featureData(features, LV2_INSTANCE_ACCESS_URI);
    found.scaleFactor =
        scaleFactorOf(static_cast<const LV2_Options_Option*>(featureData(features, LV2_OPTIONS__options)),
                      static_cast<const LV2_URID_Map*>(featureData(features, LV2_URID__map)));
    return found;
}
