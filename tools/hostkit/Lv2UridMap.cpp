#include "Lv2UridMap.h"

#include <algorithm>

namespace
{

LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri)
{
    return static_cast<Lv2UridMap*>(handle)->map(uri);
}

const char* unmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid)
{
    return static_cast<const Lv2UridMap*>(handle)->unmap(urid);
}

}  // namespace

Lv2UridMap::Lv2UridMap() : mapData{this, mapUri}, unmapData{this, unmapUrid} {}

LV2_URID Lv2UridMap::map(const char* uri)
{
    if (uri == nullptr)
        return 0;
    const auto found = std::find(uris.begin(), uris.end(), uri);
    if (found != uris.end())
        return static_cast<LV2_URID>(found - uris.begin() + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

const char* Lv2UridMap::unmap(LV2_URID urid) const
{
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}
