#pragma once

#include "Lv2UridMap.h"

#include <lilv/lilv.h>

#include <string>
#include <vector>

// A lilv world holding one LV2 bundle folder, as a host's world holds what it scanned, and
// the URI map instances of its plug-ins share.
class Lv2BundleWorld
{
public:
    explicit Lv2BundleWorld(const std::string& bundleFolder);
    ~Lv2BundleWorld();
    Lv2BundleWorld(const Lv2BundleWorld&) = delete;
    Lv2BundleWorld& operator=(const Lv2BundleWorld&) = delete;

    LilvWorld* world() const { return lilvWorld; }
    // The bundle's first plug-in, or null (error() says why).
    const LilvPlugin* plugin() const { return firstPlugin; }
    const std::string& error() const { return loadError; }
    // A URI node kept for the world's life, for lilv's queries.
    const LilvNode* uri(const char* text);
    Lv2UridMap& urids() { return uridMap; }

private:
    LilvWorld* lilvWorld = nullptr;
    const LilvPlugin* firstPlugin = nullptr;
    std::string loadError;
    std::vector<LilvNode*> nodes;
    Lv2UridMap uridMap;
};
