#pragma once

#include <lv2/urid/urid.h>

#include <string>
#include <vector>

// A host's URI map, handed to LV2 plug-ins as urid:map and urid:unmap: each URI gets the
// next number, 1 upwards, for the map's life. Not for the audio thread.
class Lv2UridMap
{
public:
    Lv2UridMap();
    Lv2UridMap(const Lv2UridMap&) = delete;
    Lv2UridMap& operator=(const Lv2UridMap&) = delete;

    LV2_URID map(const char* uri);
    // Null for a number never handed out.
    const char* unmap(LV2_URID urid) const;
    LV2_URID_Map* mapFeature() { return &mapData; }
    LV2_URID_Unmap* unmapFeature() { return &unmapData; }

private:
    std::vector<std::string> uris;
    LV2_URID_Map mapData;
    LV2_URID_Unmap unmapData;
};
