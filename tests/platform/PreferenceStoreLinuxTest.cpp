#include "platform/PreferenceStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace
{

// Points every place of the store into a private folder tree, so nothing outside it is read
// or written, and takes it away again afterwards.
class PreferenceStoreLinux : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vantor-pref-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        setPlaces(root / "etc-xdg", root / "config", root / "data");
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    static void setPlaces(const fs::path& machine, const fs::path& user, const fs::path& data)
    {
        setenv("XDG_CONFIG_DIRS", (machine.string() + ":/nowhere").c_str(), 1);
        setenv("XDG_CONFIG_HOME", user.c_str(), 1);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
    }

    // A path no one can create, not even root: its parent is a plain file.
    fs::path blockedPath(const char* name) const
    {
        std::ofstream(root / "plain-file") << "x";
        return root / "plain-file" / name;
    }

    static std::string contents(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path machineValue() const { return root / "etc-xdg/Brackwel/VantorPro/Pref1"; }
    fs::path userValue() const { return root / "config/Brackwel/VantorPro/Pref1"; }
    fs::path fallbackFile() const { return root / "data/Brackwel/a"; }

    fs::path root;
};

TEST_F(PreferenceStoreLinux, FirstPlaceThatTakesTheByteWinsAndReadsComeBackFromIt)
{
    platform::PreferenceStore store;
    EXPECT_EQ(store.readPref(), -1) << "nothing stored yet";

    ASSERT_TRUE(store.writePref(1));
    EXPECT_EQ(contents(machineValue()), std::string(1, '\1'));
    EXPECT_EQ(store.readPref(), 1);

    ASSERT_TRUE(store.writePref(256));
    EXPECT_EQ(store.readPref(), 0) << "only the low byte is kept";

    // Without a writable machine-wide place the per-user one takes the value.
    fs::remove_all(root / "etc-xdg");
    setPlaces(blockedPath("xdg"), root / "config", root / "data");
    ASSERT_TRUE(store.writePref(0x7f));
    EXPECT_EQ(contents(userValue()), std::string(1, '\x7f'));
    EXPECT_EQ(store.readPref(), 0x7f);
}

TEST_F(PreferenceStoreLinux, MachinePlaceWithoutTheValueHidesTheUsersValue)
{
    platform::PreferenceStore store;
    fs::create_directories(userValue().parent_path());
    std::ofstream(userValue(), std::ios::binary) << '\1';
    EXPECT_EQ(store.readPref(), 1);

    fs::create_directories(machineValue().parent_path());
    EXPECT_EQ(store.readPref(), -1);
}

TEST_F(PreferenceStoreLinux, FallbackFileFollowsEveryWrite)
{
    setPlaces(blockedPath("machine"), blockedPath("user"), root / "data");
    platform::PreferenceStore store;
    EXPECT_EQ(store.readPref(), -1);
    EXPECT_FALSE(fs::exists(fallbackFile().parent_path())) << "a read made the fallback folder";

    testing::internal::CaptureStderr();
    for (int value : {1, 0, 1, 0})
    {
        ASSERT_TRUE(store.writePref(value));
        EXPECT_EQ(store.readPref(), value);
        EXPECT_EQ(contents(fallbackFile()), std::string(1, static_cast<char>(value)));
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a rewritable file is no failure";

    std::ofstream(fallbackFile(), std::ios::trunc);
    EXPECT_EQ(store.readPref(), 0) << "an empty file reads as 0";
}

TEST_F(PreferenceStoreLinux, UnwritableStoreTellsTheUserOncePerStore)
{
    setPlaces(blockedPath("machine"), blockedPath("user"), blockedPath("data"));
    setenv("HOME", blockedPath("home").c_str(), 1);
    {
        platform::PreferenceStore store;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(store.writePref(1));
        EXPECT_FALSE(store.writePref(0));
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find("Couldn't write registration: You need Administrator rights (1)"), std::string::npos);
        EXPECT_EQ(told.find("rights", told.find("rights") + 1), std::string::npos) << told;
        EXPECT_EQ(store.readPref(), -1);
    }

    // A data folder whose "Brackwel" is taken by a plain file: the second message.
    setPlaces(blockedPath("machine"), blockedPath("user"), root / "data");
    fs::create_directories(root / "data");
    std::ofstream(root / "data/Brackwel") << "not a folder";
    platform::PreferenceStore store;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.writePref(1));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("You need Administrator rights (2)"), std::string::npos);
}

}  // namespace
