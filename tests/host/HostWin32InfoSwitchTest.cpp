// The DLL's editor under Wine: the Info switch clicked with posted Win32 mouse messages, and
// the choice kept in the registry where every later instance reads it.
#include "Win32PostedInput.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

namespace
{

constexpr const char* kKeyPath = "Software\\Brackwel\\VantorPro";

// Nothing stored anywhere the preference store looks: both hives and the per-user file.
void forgetThePreference()
{
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        RegDeleteKeyA(hive, kKeyPath);
    char appData[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        DeleteFileA((std::string(appData) + "\\Brackwel\\a").c_str());
}

// The machine hive's byte, -1 when absent, -2 when it is not one REG_BINARY byte.
int machineByte()
{
    BYTE bytes[4] = {};
    DWORD size = sizeof bytes;
    DWORD type = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kKeyPath, "Pref1", RRF_RT_ANY, &type, bytes, &size) != ERROR_SUCCESS)
        return -1;
    return type == REG_BINARY && size == 1 ? bytes[0] : -2;
}

}  // namespace

TEST_F(Win32Editor, InfoSwitchClicksFlipTheRegistryPreference)
{
    forgetThePreference();
    ASSERT_EQ(machineByte(), -1);
    const layout::Row* info = nullptr;
    for (const layout::Row& row : layout::controlRows())
    {
        if (row.command == EditorCommand::Info)
            info = &row;
    }
    ASSERT_NE(info, nullptr);
    ASSERT_NO_FATAL_FAILURE(openEditor());
    EXPECT_EQ(machineByte(), 1) << "the first opening with nothing stored stores Info on";

    Win32PostedInput input(window, instance);
    ASSERT_TRUE(input.reachesTheEditor());
    const POINT at = Win32PostedInput::windowPoint(info->centre[0], info->centre[1]);
    for (int expected : {0, 1, 0, 1})
    {
        input.click(at);
        EXPECT_EQ(machineByte(), expected);
    }
    forgetThePreference();
}
