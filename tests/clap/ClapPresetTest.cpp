// The CLAP preset system: the preset-discovery factory lists the factory presets inside the
// plug-in and the user's program files, and preset-load loads either into the effect so that
// it sounds exactly as the VST 2.4 module given the same program chunk; the host hears of
// the new values and of what was loaded, and a preset that cannot be had changes nothing.
#include "ClapTestSupport.h"
#include "host/PluginHost.h"
#include "support/PresetRenders.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace
{

constexpr std::size_t kFxpHeaderBytes = 60;
constexpr double kRate = 44100.0;
constexpr std::size_t kBlock = 512;

// The factory presets' files as the build made them, in the order of their names.
std::vector<std::filesystem::path> factoryPresetFiles()
{
    const char* folder = std::getenv("VANTOR_PRESET_FOLDER");
    std::vector<std::filesystem::path> files;
    if (folder == nullptr)
        return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<unsigned char> bytesOf(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> chunkOfFile(const std::filesystem::path& path)
{
    const std::vector<unsigned char> bytes = bytesOf(path);
    return bytes.size() > kFxpHeaderBytes ? std::vector<unsigned char>(bytes.begin() + kFxpHeaderBytes, bytes.end())
                                          : std::vector<unsigned char>{};
}

StereoSignal material()
{
    // Partly shared, partly independent: the width stages have something to work on.
    StereoSignal signal = stereoNoise(kRate, 0.2f);
    const std::vector<float> shared = sine(signal.left.size(), 220.0, kRate, 0.3f);
    for (std::size_t i = 0; i < shared.size(); ++i)
    {
        signal.left[i] += shared[i];
        signal.right[i] += shared[i];
    }
    return signal;
}

StereoSignal renderedByVst(const std::vector<unsigned char>& chunk)
{
    EffectInstance vst;
    EXPECT_NE(vst.restore(chunk, true), 0);
    StereoSignal signal = material();
    vst.resumeAt(static_cast<float>(kRate), kBlock);
    vst.process(signal.left, signal.right);
    return signal;
}

StereoSignal renderedByClap(ClapPluginInstance& plugin)
{
    StereoSignal signal = material();
    EXPECT_TRUE(plugin.activate(kRate, 1, kBlock) && plugin.startProcessing());
    processInBlocks(plugin, signal.left, signal.right, kBlock);
    plugin.stopProcessing();
    plugin.deactivate();
    return signal;
}

const clap::PluginPresetLoad* presetLoadOf(ClapPluginInstance& plugin)
{
    return plugin.extension<clap::PluginPresetLoad>(clap::kExtPresetLoad);
}

std::string nameOf(const std::filesystem::path& file)
{
    return file.stem().string();
}

// What the provider declares and lists, as a host's indexer and metadata receiver hear it.
struct Index
{
    std::vector<std::string> fileExtensions;
    std::vector<clap::PresetLocation> locations;
    std::vector<std::string> locationPaths;
    struct Preset
    {
        std::string name;
        std::string loadKey;
        bool hasLoadKey = false;
        std::string description;
        std::vector<std::string> pluginIds;
        clap::PresetFlags flags = 0;
    };
    std::vector<Preset> presets;
    std::vector<std::string> errors;
};

Index& indexOf(const void* data)
{
    return *static_cast<Index*>(const_cast<void*>(data));
}

clap::PresetIndexer indexerFor(Index& index)
{
    clap::PresetIndexer indexer{};
    indexer.clapVersion = clap::kVersion;
    indexer.name = "test indexer";
    indexer.indexerData = &index;
    indexer.declareFiletype = [](const clap::PresetIndexer* self, const clap::PresetFiletype* filetype)
    {
        indexOf(self->indexerData).fileExtensions.push_back(filetype->fileExtension);
        return true;
    };
    indexer.declareLocation = [](const clap::PresetIndexer* self, const clap::PresetLocation* location)
    {
        indexOf(self->indexerData).locations.push_back(*location);
        indexOf(self->indexerData).locationPaths.push_back(location->location != nullptr ? location->location : "");
        return true;
    };
    indexer.declareSoundpack = [](const clap::PresetIndexer*, const clap::PresetSoundpack*) { return true; };
    indexer.getExtension = [](const clap::PresetIndexer*, const char*) -> const void* { return nullptr; };
    return indexer;
}

clap::PresetMetadataReceiver receiverFor(Index& index)
{
    clap::PresetMetadataReceiver receiver{};
    receiver.receiverData = &index;
    receiver.onError = [](const clap::PresetMetadataReceiver* self, std::int32_t, const char* message)
    { indexOf(self->receiverData).errors.push_back(message); };
    receiver.beginPreset = [](const clap::PresetMetadataReceiver* self, const char* name, const char* key)
    {
        indexOf(self->receiverData)
            .presets.push_back({name != nullptr ? name : "", key != nullptr ? key : "", key != nullptr, "", {}, 0});
        return true;
    };
    receiver.addPluginId = [](const clap::PresetMetadataReceiver* self, const clap::UniversalPluginId* id)
    { indexOf(self->receiverData).presets.back().pluginIds.push_back(std::string(id->abi) + ":" + id->id); };
    receiver.setSoundpackId = [](const clap::PresetMetadataReceiver*, const char*) {};
    receiver.setFlags = [](const clap::PresetMetadataReceiver* self, clap::PresetFlags flags)
    { indexOf(self->receiverData).presets.back().flags = flags; };
    receiver.addCreator = [](const clap::PresetMetadataReceiver*, const char*) {};
    receiver.setDescription = [](const clap::PresetMetadataReceiver* self, const char* description)
    { indexOf(self->receiverData).presets.back().description = description; };
    receiver.setTimestamps = [](const clap::PresetMetadataReceiver*, clap::Timestamp, clap::Timestamp) {};
    receiver.addFeature = [](const clap::PresetMetadataReceiver*, const char*) {};
    receiver.addExtraInfo = [](const clap::PresetMetadataReceiver*, const char*, const char*) {};
    return receiver;
}

const clap::PresetDiscoveryFactory* discoveryFactory(const char* id)
{
    return static_cast<const clap::PresetDiscoveryFactory*>(clapModule().entry()->getFactory(id));
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

    Index index;
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
    ASSERT_EQ(index.presets.size(), files.size());
    std::vector<std::string> listed;
    for (const Index::Preset& preset : index.presets)
    {
        listed.push_back(preset.name);
        EXPECT_TRUE(preset.hasLoadKey) << "a preset inside the plug-in is loaded by its key";
        EXPECT_EQ(preset.loadKey, preset.name);
        EXPECT_GT(preset.description.size(), 20u) << preset.name;
        EXPECT_EQ(preset.pluginIds, std::vector<std::string>{std::string("clap:") + kClapPluginId});
        EXPECT_EQ(preset.flags, clap::kPresetIsFactoryContent);
    }
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> fileNames;
    for (const auto& file : files)
        fileNames.push_back(nameOf(file));
    std::sort(fileNames.begin(), fileNames.end());
    EXPECT_EQ(listed, fileNames) << "the built-in presets are the shipped files";

    index.presets.clear();
    ASSERT_TRUE(provider->getMetadata(provider, clap::kPresetLocationFile, files[0].string().c_str(), &receiver));
    ASSERT_EQ(index.presets.size(), 1u);
    EXPECT_FALSE(index.presets[0].hasLoadKey) << "a file is loaded by its path";
    EXPECT_EQ(index.presets[0].name, nameOf(files[0]));
    EXPECT_EQ(index.presets[0].flags, clap::kPresetIsUserContent);

    const std::filesystem::path truncated = std::filesystem::temp_directory_path() / "truncated.fxp";
    const std::vector<unsigned char> bytes = bytesOf(files[0]);
    std::ofstream(truncated, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 100);
    index.presets.clear();
    EXPECT_FALSE(provider->getMetadata(provider, clap::kPresetLocationFile, truncated.string().c_str(), &receiver));
    EXPECT_TRUE(index.presets.empty());
    ASSERT_EQ(index.errors.size(), 1u);
    EXPECT_EQ(index.errors[0], truncated.string() + ": skipped, truncated");
    provider->destroy(provider);
}

TEST(ClapPresets, EveryFactoryPresetLoadsByKeyAndByFileAndSoundsAsTheVstChunk)
{
    const auto files = factoryPresetFiles();
    ASSERT_GE(files.size(), 12u);
    for (const auto& file : files)
    {
        const std::string name = nameOf(file);
        const StereoSignal expected = renderedByVst(chunkOfFile(file));
        EffectInstance vst;
        vst.restore(chunkOfFile(file), true);

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

            const auto& reports = plugin->host().presetLoadReports();
            ASSERT_EQ(reports.size(), 1u) << name;
            EXPECT_TRUE(reports[0].loaded);
            EXPECT_EQ(reports[0].locationKind, load.kind);
            EXPECT_EQ(reports[0].location, load.location);
            EXPECT_EQ(reports[0].hasLoadKey, load.key != nullptr) << "only a preset inside the plug-in has a key";
            EXPECT_EQ(plugin->host().paramRescans(), std::vector<clap::ParamRescanFlags>{clap::kParamRescanValues});
            for (clap::Id id = 0; id < 6; ++id)
                EXPECT_EQ(plugin->paramValue(id), static_cast<double>(vst.getParameter(static_cast<VstInt32>(id))))
                    << name << " " << id;

            const StereoSignal rendered = renderedByClap(*plugin);
            const bool shaped = vst.getParameter(4) != 0.0f;
            EXPECT_TRUE(soundsTheSame(rendered.left, expected.left, shaped)) << name;
            EXPECT_TRUE(soundsTheSame(rendered.right, expected.right, shaped)) << name;
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

    std::vector<unsigned char> foreign = bytesOf(files[1]);
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

// The Linux run writes every factory preset's sound through CLAP, which the Windows run
// compares against (within the tolerance the other cross-platform comparisons use).
TEST(ClapPresets, TheFactoryPresetsSoundTheSameOnEveryPlatform)
{
    const char* outPath = std::getenv("VANTOR_CLAP_PRESET_REFERENCE_OUT");
    const char* inPath = std::getenv("VANTOR_CLAP_PRESET_REFERENCE_IN");
    if (outPath == nullptr && inPath == nullptr)
        GTEST_SKIP() << "no reference to write or read";
    std::vector<float> rendered;
    for (const auto& file : factoryPresetFiles())
    {
        auto plugin = initialisedPlugin();
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(presetLoadOf(*plugin)->fromLocation(plugin->raw(), clap::kPresetLocationPlugin, nullptr,
                                                        nameOf(file).c_str()));
        const StereoSignal signal = renderedByClap(*plugin);
        rendered.insert(rendered.end(), signal.left.begin(), signal.left.end());
        rendered.insert(rendered.end(), signal.right.begin(), signal.right.end());
    }
    ASSERT_FALSE(rendered.empty());
    if (outPath != nullptr)
    {
        std::ofstream out(outPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(rendered.data()),
                  static_cast<std::streamsize>(rendered.size() * sizeof(float)));
        ASSERT_TRUE(out.good());
    }
    if (inPath != nullptr)
    {
        std::ifstream in(inPath, std::ios::binary);
        ASSERT_TRUE(in.good()) << "no reference at " << inPath;
        std::vector<float> reference(rendered.size());
        in.read(reinterpret_cast<char*>(reference.data()),
                static_cast<std::streamsize>(reference.size() * sizeof(float)));
        ASSERT_TRUE(in.good());
        for (std::size_t i = 0; i < rendered.size(); ++i)
            ASSERT_NEAR(rendered[i], reference[i], 1e-6f) << i;
    }
}
