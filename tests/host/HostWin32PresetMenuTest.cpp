// The DLL's preset menu under Wine: opened and paged with posted mouse messages, a name typed
// with posted key presses (what they type comes from the keyboard's layout) saved as a user
// preset in the roaming application data folder.
#include "Win32PostedInput.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>

namespace
{

constexpr int kRowStep = 18;
constexpr int kFirstRowCentre = 6 + kRowStep / 2;
constexpr int kSaveRow = 5;

const layout::Row& wordmark()
{
    for (const layout::Row& row : layout::controlRows())
    {
        if (std::strcmp(row.name, "Preset menu") == 0)
            return row;
    }
    return layout::controlRows().front();
}

std::string userPresetFile(const char* name)
{
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return {};
    return std::string(appData) + "\\Brackwel\\Vantor Pro\\Presets\\" + name;
}

}  // namespace

TEST_F(Win32Editor, ANameTypedIntoThePresetMenuSavesAUserPreset)
{
    const std::string saved = userPresetFile("ab9.fxp");
    ASSERT_FALSE(saved.empty());
    DeleteFileA(saved.c_str());
    ASSERT_NO_FATAL_FAILURE(openEditor());

    Win32PostedInput input(window, instance);
    ASSERT_TRUE(input.reachesTheEditor());
    const layout::Row& row = wordmark();
    input.click(Win32PostedInput::windowPoint(row.centre[0], row.centre[1]));
    POINT save = Win32PostedInput::windowPoint(row.origin[0] + 40.0f, row.origin[1]);
    save.y += kFirstRowCentre + kSaveRow * kRowStep;
    input.click(save);
    for (WPARAM key : {WPARAM{'A'}, WPARAM{'B'}, WPARAM{'9'}, WPARAM{VK_RETURN}})
        input.key(key);
    EXPECT_NE(GetFileAttributesA(saved.c_str()), INVALID_FILE_ATTRIBUTES) << saved;
    DeleteFileA(saved.c_str());
}
