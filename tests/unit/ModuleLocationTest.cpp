#include "platform/ModuleLocation.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <unistd.h>

TEST(ModuleLocation, FolderIsEverythingUpToTheLastSeparatorWhateverTheFileIsCalled)
{
    EXPECT_EQ(platform::folderOfPath("C:\\Program Files\\VST\\Vantor Pro.dll"), "C:\\Program Files\\VST\\");
    EXPECT_EQ(platform::folderOfPath("C:\\Program Files\\VST\\Vantor Pro (x64) v2.dll"), "C:\\Program Files\\VST\\");
    EXPECT_EQ(platform::folderOfPath("D:\\plugins\\vantor pro.DLL"), "D:\\plugins\\");
    EXPECT_EQ(platform::folderOfPath("/usr/lib/vst/Vantor Pro.so"), "/usr/lib/vst/");
    EXPECT_EQ(platform::folderOfPath("/home/me/.vst/renamed.so"), "/home/me/.vst/");
    EXPECT_EQ(platform::folderOfPath("C:/mixed\\style/plug.dll"), "C:/mixed\\style/");
    EXPECT_EQ(platform::folderOfPath("nofolder.dll"), "");
}

TEST(ModuleLocation, FindsTheFolderOfTheCodeItIsLinkedInto)
{
    // Linked statically into this test program, the module is the program itself.
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    ASSERT_GT(length, 0);
    const std::string folder = platform::moduleDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/') << "an absolute folder, however the program was started";
    EXPECT_TRUE(std::filesystem::equivalent(folder, platform::folderOfPath(std::string(path, length))));
}
