// The library a preset browser lists, saves and deletes through, on a user folder of the
// test's own.
#include "presets/PresetLibrary.h"
#include "PresetBytes.h"
#include "platform/PreferencePlaces.h"
#include "presets/FactoryPresets.h"
#include "presets/FxpFile.h"
#include "presets/PresetFileName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace
{

class PresetLibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() / "preset-library" / test->name();
        std::filesystem::remove_all(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string inFolder(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

ProgramChunk chunkOfPreset(std::size_t index)
{
    return factoryChunk(factoryPresets()[index]);
}

ProgramChunk renamed(const ProgramChunk& chunk, const char* name)
{
    ProgramRecord record;
    std::memcpy(&record, chunk.data(), sizeof(record));
    std::memset(record.name, 0, sizeof(record.name));
    std::strcpy(record.name, name);
    return chunkOf(record);
}

std::vector<std::string> userNames(const PresetListing& listing)
{
    std::vector<std::string> names;
    for (const PresetEntry& entry : listing.entries)
    {
        if (entry.section == PresetSection::User)
            names.push_back(entry.name);
    }
    return names;
}

const PresetEntry* userEntry(const PresetListing& listing, const std::string& name)
{
    for (const PresetEntry& entry : listing.entries)
    {
        if (entry.section == PresetSection::User && entry.name == name)
            return &entry;
    }
    return nullptr;
}

void expectFactorySectionFirst(const PresetListing& listing)
{
    const auto factory = factoryPresets();
    ASSERT_GE(listing.entries.size(), factory.size());
    for (std::size_t i = 0; i < factory.size(); ++i)
    {
        EXPECT_EQ(listing.entries[i].section, PresetSection::Factory);
        EXPECT_EQ(listing.entries[i].name, factory[i].name);
        EXPECT_EQ(listing.entries[i].description, factory[i].description);
        EXPECT_EQ(listing.entries[i].chunk, factoryChunk(factory[i]));
    }
}

}  // namespace

TEST_F(PresetLibraryTest, WithoutAUserFolderTheFactoryPresetsAreStillThere)
{
    const PresetListing listing = PresetLibrary(folder.string()).list();
    expectFactorySectionFirst(listing);
    EXPECT_EQ(listing.entries.size(), factoryPresets().size());
    EXPECT_TRUE(listing.problems.empty()) << listing.problems.front();
}

TEST_F(PresetLibraryTest, UserPresetsFollowSortedAndBadFilesAreSkippedWithALine)
{
    PresetLibrary library(folder.string());
    ASSERT_TRUE(library.save("bright keys", chunkOfPreset(5), ExistingPreset::Keep).saved);
    ASSERT_TRUE(library.save("Airy Vocal", chunkOfPreset(4), ExistingPreset::Keep).saved);
    const std::vector<std::uint8_t> good = writeFxp("x", chunkOfPreset(0));
    std::vector<std::uint8_t> foreign = good;
    foreign[16] = 'Z';
    writeBytes(inFolder("foreign.fxp"), foreign);
    writeBytes(inFolder("short.fxp"), std::vector<std::uint8_t>(good.begin(), good.begin() + 1000));
    std::vector<std::uint8_t> tooLong = good;
    tooLong.resize(10000, 0);
    writeBytes(inFolder("big.FXP"), tooLong);
    writeBytes(inFolder("notes.txt"), {'h', 'i'});
    std::filesystem::create_directory(folder / "old.fxp");

    const PresetListing listing = library.list();
    expectFactorySectionFirst(listing);
    EXPECT_EQ(userNames(listing), (std::vector<std::string>{"Airy Vocal", "bright keys"}));
    // Saved under its new name, the program's own name follows it.
    EXPECT_EQ(userEntry(listing, "Airy Vocal")->chunk, renamed(chunkOfPreset(4), "Airy Vocal"));
    EXPECT_EQ(listing.problems, (std::vector<std::string>{"big.FXP: skipped, wrong size",
                                                          "foreign.fxp: skipped, made for another plug-in",
                                                          "short.fxp: skipped, truncated"}));
}

TEST_F(PresetLibraryTest, AFolderThatCannotBeListedIsALineNotAFailure)
{
    // A file where the folder should be: it exists, and cannot be listed.
    std::filesystem::create_directories(folder);
    writeBytes(inFolder("Presets"), {'x'});
    const PresetListing listing = PresetLibrary(inFolder("Presets")).list();
    expectFactorySectionFirst(listing);
    EXPECT_EQ(listing.entries.size(), factoryPresets().size());
    ASSERT_EQ(listing.problems.size(), 1u);
    EXPECT_NE(listing.problems[0].find(": not listed, the folder cannot be read"), std::string::npos)
        << listing.problems[0];
}

TEST_F(PresetLibraryTest, SavingNeverOverwritesUnlessAskedAndNamesItselfWhenGivenNone)
{
    PresetLibrary library(folder.string());
    const PresetSaving first = library.save("Wide Mix", chunkOfPreset(0), ExistingPreset::Keep);
    ASSERT_TRUE(first.saved) << first.problem;
    EXPECT_EQ(first.filePath, inFolder("Wide Mix.fxp"));
    const std::vector<std::uint8_t> before = fileBytes(first.filePath);

    const PresetSaving again = library.save("Wide Mix", chunkOfPreset(1), ExistingPreset::Keep);
    EXPECT_FALSE(again.saved);
    EXPECT_EQ(again.problem, "a user preset named \"Wide Mix\" exists");
    EXPECT_EQ(fileBytes(first.filePath), before) << "a refused save leaves the file alone";

    const PresetSaving replaced = library.save("Wide Mix", chunkOfPreset(1), ExistingPreset::Replace);
    ASSERT_TRUE(replaced.saved);
    EXPECT_NE(fileBytes(first.filePath), before);
    EXPECT_EQ(readFxp(fileBytes(first.filePath)).name, "Wide Mix");

    EXPECT_EQ(library.save("", chunkOfPreset(2), ExistingPreset::Keep).name, "User 1");
    EXPECT_EQ(library.save("  ...  ", chunkOfPreset(2), ExistingPreset::Keep).name, "User 2");
    EXPECT_EQ(library.nextDefaultName(), "User 3");
    EXPECT_EQ(library.save("a/b:c*d?", chunkOfPreset(3), ExistingPreset::Keep).name, "a_b_c_d_");
    EXPECT_EQ(std::filesystem::directory_iterator(folder)->path().extension(), ".fxp");
    EXPECT_EQ(userNames(library.list()), (std::vector<std::string>{"a_b_c_d_", "User 1", "User 2", "Wide Mix"}));
}

TEST_F(PresetLibraryTest, DeletingRemovesOnlyTheUserPresetsOwnFile)
{
    PresetLibrary library(folder.string());
    ASSERT_TRUE(library.save("Keep Me", chunkOfPreset(0), ExistingPreset::Keep).saved);
    ASSERT_TRUE(library.save("Delete Me", chunkOfPreset(1), ExistingPreset::Keep).saved);
    const PresetListing listing = library.list();
    std::string problem;
    EXPECT_FALSE(library.remove(listing.entries.front(), problem));
    EXPECT_EQ(problem, "factory presets cannot be deleted");

    PresetEntry elsewhere = *userEntry(listing, "Delete Me");
    elsewhere.filePath = inFolder("../Delete Me.fxp");
    EXPECT_FALSE(library.remove(elsewhere, problem));
    elsewhere.filePath = inFolder("notes.txt");
    EXPECT_FALSE(library.remove(elsewhere, problem));
    EXPECT_EQ(problem, elsewhere.filePath + ": not a preset of " + library.userFolder());

    // A file named by hand with another case of the extension is still the user's to delete.
    writeBytes(inFolder("Shouting.FXP"), writeFxp("Shouting", chunkOfPreset(2)));
    ASSERT_TRUE(library.remove(*userEntry(library.list(), "Shouting"), problem)) << problem;

    ASSERT_TRUE(library.remove(*userEntry(listing, "Delete Me"), problem)) << problem;
    EXPECT_EQ(userNames(library.list()), (std::vector<std::string>{"Keep Me"}));
    EXPECT_EQ(library.nextDefaultName(), "User 1");
}

TEST(PresetFileName, UnsafeCharactersReservedNamesAndLengths)
{
    EXPECT_EQ(safePresetName("Mix: Bus/Wide?"), "Mix_ Bus_Wide_");
    EXPECT_EQ(safePresetName(" .hidden. "), "hidden");
    EXPECT_EQ(safePresetName("con"), "con_");
    EXPECT_EQ(safePresetName("COM1"), "COM1_");
    EXPECT_EQ(safePresetName("Console"), "Console");
    EXPECT_EQ(safePresetName(std::string("tab\there", 8)), "tab_here");
    EXPECT_EQ(safePresetName(std::string(40, 'z')), std::string(27, 'z'));
    EXPECT_EQ(safePresetName("..."), "");
}

TEST(PresetPlaces, TheUserFolderIsTheVendorsUnderTheUsersDataFolder)
{
    const std::string folder = platform::preference_places::userPresetFolder();
#if defined(_WIN32)
    const std::string ending = "\\Brackwel\\Vantor Pro\\Presets\\";
#else
    const std::string ending = "/Brackwel/Vantor Pro/Presets/";
    ASSERT_NE(std::getenv("XDG_DATA_HOME"), nullptr) << "tests run with folders of their own";
    EXPECT_EQ(folder, std::string(std::getenv("XDG_DATA_HOME")) + ending);
#endif
    ASSERT_GT(folder.size(), ending.size());
    EXPECT_EQ(folder.substr(folder.size() - ending.size()), ending);
    EXPECT_EQ(PresetLibrary().userFolder(), folder);
}
