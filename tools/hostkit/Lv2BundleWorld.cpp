#include "Lv2BundleWorld.h"

#include <filesystem>

Lv2BundleWorld::Lv2BundleWorld(const std::string& bundleFolder) : lilvWorld(lilv_world_new())
{
    std::error_code failure;
    const std::filesystem::path folder = std::filesystem::absolute(bundleFolder, failure);
    if (failure || !std::filesystem::is_regular_file(folder / "manifest.ttl", failure))
    {
        loadError = bundleFolder + " is not an LV2 bundle (no manifest.ttl)";
        return;
    }
    // lilv takes a bundle as a folder URI ending in a slash.
    LilvNode* bundleUri = lilv_new_file_uri(lilvWorld, nullptr, (folder.string() + "/").c_str());
    lilv_world_load_bundle(lilvWorld, bundleUri);
    lilv_node_free(bundleUri);
    const LilvPlugins* plugins = lilv_world_get_all_plugins(lilvWorld);
    LilvIter* first = lilv_plugins_begin(plugins);
    if (lilv_plugins_is_end(plugins, first))
        loadError = bundleFolder + " describes no plug-in";
    else
        firstPlugin = lilv_plugins_get(plugins, first);
}

Lv2BundleWorld::~Lv2BundleWorld()
{
    for (LilvNode* node : nodes)
        lilv_node_free(node);
    lilv_world_free(lilvWorld);
}

const LilvNode* Lv2BundleWorld::uri(const char* text)
{
    nodes.push_back(lilv_new_uri(lilvWorld, text));
    return nodes.back();
}
