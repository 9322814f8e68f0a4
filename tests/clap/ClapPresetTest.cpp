// The CLAP preset system: the preset-discovery factory lists the factory presets inside the
// plug-in and the user's program files, and preset-load loads either into the effect as its
// program chunk; the host hears of the new values and of what was loaded, and a preset that
// cannot be had changes nothing.
#include "ClapPresetIndex.h"
#include "ClapTestSupport.h"
#include "support/FactoryPresetFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace
{

const clap::PluginPresetLoad* presetLoadOf(ClapPluginInstance& plugin)
{
    return plugin.extension<clap::PluginPresetLoad>(clap::kExtPresetLoad);
}

std::string nameOf(const std::filesystem::path& file)
{
    return file.stem().string();
}

}  // namespace

TEST(ClapPresets, DiscoveryListsTheFactoryPresetsAndTheUsersFiles)
{
    const auto files = factoryPresetFiles();
    ASSERT_GE(files.size(), 12u);
    const clap::PresetDiscoveryFactory* factory = discoveryFactory(clap::kPresetDiscoveryFactoryId);
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(discoveryFactory(clap::kPresetDiscoveryFactoryIdCompat), factory);
    ASSERT_EQ(factory->count(factory), 1u);
    const clap::PresetProviderDescriptor* descriptor = factory->getDescriptor(factory, 0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(factory->getDescriptor(factory, 1), nullptr);

    ClapPresetIndex index;
    const clap::PresetIndexer indexer = indexerFor(index);
    EXPECT_EQ(factory->create(factory, &indexer, "another.provider"), nullptr);
    const clap::PresetProvider* provider = factory->create(factory, &indexer, descriptor->id);
    ASSERT_NE(provider, nullptr);
    ASSERT_TRUE(provider->init(provider));
    EXPECT_EQ(index.fileExtensions, std::vector<std::string>{"fxp"});
    ASSERT_EQ(index.locations.size(), 2u);
    EXPECT_EQ(index.locations[0].kind, clap::kPresetLocationPlugin);
    EXPECT_EQ(index.locations[0].location, nullptr);
    EXPECT_EQ(index.locations[0].flags, clap::kPresetIsFactoryContent);
    EXPECT_EQ(index.locations[1].kind, clap::kPresetLocationFile);
    EXPECT_EQ(index.locations[1].flags, clap::kPresetIsUserContent);
#if defined(_WIN32)
    const std::string ending = "\\Brackwel\\Vantor Pro\\Presets\\";
#else
    const std::string ending = "/Brackwel/Vantor Pro/Presets/";
    EXPECT_EQ(index.locationPaths[1], std::string(std::getenv("XDG_DATA_HOME")) + ending);
#endif
    ASSERT_GT(index.locationPaths[1].size(), ending.size());
    EXPECT_EQ(index.locationPaths[1].substr(index.locationPaths[1].size() - ending.size()), ending);

    const clap::PresetMetadataReceiver receiver = receiverFor(index);
    ASSERT_TRUE(provider->getMetadata(provider, clap::kPresetLocationPlugin, nullptr, &receiver));
    // That they are the shipped files, by name, every format's suite checks (tests/formats).
    ASSERT_EQ(index.presets.size(), files.size());
    for (const ClapPresetIndex::Preset& preset : index.presets)
    {
        EXPECT_TRUE(preset.hasLoadKey) << "a preset inside the plug-in is loaded by its key";
        EXPECT_EQ(preset.loadKey, preset.name);
        EXPECT_GT(preset.description.size(), 20u) << preset.name;
        EXPECT_EQ(preset.pluginIds, std::vector<std::string>{std::string("clap:") + kClapPluginId});
        EXPECT_EQ(preset.flags, clap::kPresetIsFactoryContent);
    }

    index.presets.clear();
    ASSERT_TRUE(provider->getMetadata(provider, clap::kPresetLocationFile, files[0].string().c_str(), &receiver));
    ASSERT_EQ(index.presets.size(), 1u);
    EXPECT_FALSE(index.presets[0].hasLoadKey) << "a file is loaded by its path";
    EXPECT_EQ(index.presets[0].name, nameOf(files[0]));
    EXPECT_EQ(index.presets[0].flags, clap::kPresetIsUserContent);

    const std::filesystem::path truncated = std::filesystem::temp_directory_path() / "truncated.fxp";
    const std::vector<unsigned char> bytes = fileBytes(files[0]);
    std::ofstream(truncated, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 100);
    index.presets.clear();
    EXPECT_FALSE(provider->getMetadata(provider, clap::kPresetLocationFile, truncated.string().c_str(), &receiver));
    EXPECT_TRUE(index.presets.empty());
    ASSERT_EQ(index.errors.size(), 1u);
    EXPECT_EQ(index.errors[0], truncated.string() + ": skipped, truncated");
    provider->destroy(provider);
}

// How a preset loads, the format's suite checks by key (tests/formats); by its file's path it
// is the same program, and the host hears which way it came and of the new values.
TEST(ClapPresets, EveryFactoryPresetLoadsByKeyAndByFileAsItsProgramFileAndTheHostHearsOfIt)
{
    const auto files = factoryPresetFiles();
    ASSERT_GE(files.size(), 12u);
    for (const auto& file : files)
    {
        const std::string name = nameOf(file);
        struct Load
        {
            std::uint32_t kind;
            std::string location;
            const char* key;
        };
        for (const Load& load : {Load{clap::kPresetLocationPlugin, "", name.c_str()},
                                 Load{clap::kPresetLocationFile, file.string(), nullptr}})
        {
            auto plugin = initialisedPlugin();
            ASSERT_NE(plugin, nullptr);
            const clap::PluginPresetLoad* presetLoad = presetLoadOf(*plugin);
            ASSERT_NE(presetLoad, nullptr);
            const char* location = load.kind == clap::kPresetLocationFile ? load.location.c_str() : nullptr;
            ASSERT_TRUE(presetLoad->fromLocation(plugin->raw(), load.kind, location, load.key)) << name;
            EXPECT_EQ(plugin->saveState(), chunkOfFile(file)) << name;

            const auto& reports = plugin->host().presetLoadReports();
            ASSERT_EQ(reports.size(), 1u) << name;
            EXPECT_TRUE(reports[0].loaded);
            EXPECT_EQ(reports[0].locationKind, load.kind);
            EXPECT_EQ(reports[0].location, load.location);
            EXPECT_EQ(reports[0].hasLoadKey, load.key != nullptr) << "only a preset inside the plug-in has a key";
            EXPECT_EQ(plugin->host().paramRescans(), std::vector<clap::ParamRescanFlags>{clap::kParamRescanValues});
            EXPECT_EQ(plugin->host().misuses(), 0);
        }
    }
}

TEST(ClapPresets, APresetThatCannotBeHadIsReportedAndChangesNothing)
{
    const auto files = factoryPresetFiles();
    ASSERT_FALSE(files.empty());
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    const clap::PluginPresetLoad* presetLoad = presetLoadOf(*plugin);
    ASSERT_NE(presetLoad, nullptr);
    ASSERT_TRUE(presetLoad->fromLocation(plugin->raw(), clap::kPresetLocationFile, files[0].string().c_str(), nullptr));
    const std::optional<std::vector<unsigned char>> before = plugin->saveState();
    ASSERT_TRUE(before.has_value());

    std::vector<unsigned char> foreign = fileBytes(files[1]);
    foreign[16] = 'Q';
    const std::filesystem::path foreignFile = std::filesystem::temp_directory_path() / "foreign.fxp";
    std::ofstream(foreignFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(foreign.data()), static_cast<std::streamsize>(foreign.size()));
    const std::string missing = (std::filesystem::temp_directory_path() / "missing.fxp").string();
    EXPECT_FALSE(
        presetLoad->fromLocation(plugin->raw(), clap::kPresetLocationFile, foreignFile.string().c_str(), nullptr));
    EXPECT_FALSE(presetLoad->fromLocation(plugin->raw(), clap::kPresetLocationFile, missing.c_str(), nullptr));
    EXPECT_FALSE(presetLoad->fromLocation(plugin->raw(), clap::kPresetLocationPlugin, nullptr, "No Such Preset"));
    EXPECT_FALSE(presetLoad->fromLocation(plugin->raw(), clap::kPresetLocationPlugin, nullptr, nullptr));
    EXPECT_EQ(plugin->saveState(), before);

    const auto& reports = plugin->host().presetLoadReports();
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_FALSE(reports[1].loaded);
    EXPECT_EQ(reports[1].message, foreignFile.string() + ": not loaded, made for another plug-in");
    EXPECT_EQ(reports[2].message, missing + ": not loaded, cannot be read");
    EXPECT_EQ(reports[3].message, "no factory preset named \"No Such Preset\"");
    EXPECT_FALSE(reports[4].loaded);
    EXPECT_EQ(plugin->host().paramRescans().size(), 1u) << "only the preset that loaded changed the values";
}
