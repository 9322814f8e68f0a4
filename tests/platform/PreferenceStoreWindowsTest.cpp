#include "platform/PreferenceStore.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace
{

constexpr const char* kKeyPath = "Software\\Brackwel\\VantorPro";

// Runs in the test's own Wine prefix: the registry starts and ends without our key.
class PreferenceStoreWindows : public ::testing::Test
{
protected:
    void SetUp() override { removeKeys(); }
    void TearDown() override { removeKeys(); }

    static void removeKeys()
    {
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            RegDeleteKeyA(hive, kKeyPath);
    }

    static int registryByte(HKEY hive)
    {
        BYTE byte = 0;
        DWORD size = 1;
        DWORD type = 0;
        if (RegGetValueA(hive, kKeyPath, "Pref1", RRF_RT_ANY, &type, &byte, &size) != ERROR_SUCCESS)
            return -1;
        return type == REG_BINARY && size == 1 ? byte : -2;
    }
};

TEST_F(PreferenceStoreWindows, ByteLandsInTheMachineHiveAndReadsBack)
{
    platform::PreferenceStore store;
    EXPECT_EQ(store.readPref(), -1);
    for (int value : {1, 0, 1})
    {
        ASSERT_TRUE(store.writePref(value));
        EXPECT_EQ(registryByte(HKEY_LOCAL_MACHINE), value);
        EXPECT_EQ(store.readPref(), value);
    }
    ASSERT_TRUE(store.writePref(256));
    EXPECT_EQ(store.readPref(), 0);
}

TEST_F(PreferenceStoreWindows, MachineKeyWithoutTheValueHidesTheUsersValue)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const BYTE on = 1;
    RegSetValueExA(key, "Pref1", 0, REG_BINARY, &on, 1);
    RegCloseKey(key);
    platform::PreferenceStore store;
    EXPECT_EQ(store.readPref(), 1);

    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(store.readPref(), -1);
}

}  // namespace
