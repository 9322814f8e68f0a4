#include "glgui/SkinFiles.h"

#include "platform/ModuleLocation.h"
#include "support/ScratchSkinFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace
{

class SkinFilesInScratchFolder : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.created()); }

    ScratchSkinFolder folder;
    SkinFiles files{folder.path()};
};

}  // namespace

TEST(SkinFileNames, SplitAtTheFirstDotAndLowerCaseBothParts)
{
    EXPECT_EQ(SkinFiles::fileNameFor("SF_Background.PNG"), "sf_background.png");
    EXPECT_EQ(SkinFiles::fileNameFor("Knob1.3DS"), "knob1.3ds");
    EXPECT_EQ(SkinFiles::fileNameFor("font.Large.FNT"), "font.large.fnt");
    EXPECT_EQ(SkinFiles::fileNameFor("README"), "readme.readme") << "without a dot the name is base and extension";
}

TEST(SkinFileNames, DefaultFolderIsSkinBesideTheModule)
{
    // Linked statically into this test program, the module is the program itself.
    EXPECT_EQ(SkinFiles::moduleSkinFolder(), platform::moduleDirectory() + "Skin/");
}

TEST_F(SkinFilesInScratchFolder, CapitalNamesOpenTheLowerCaseFile)
{
    const std::uint8_t bytes[] = {0x4D, 0x4D, 0x06, 0x00, 0x00, 0x00};
    folder.write("knob1.3ds", bytes);

    const SkinFile* file = files.openFile("Knob1.3DS");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->name, "knob1");
    ASSERT_EQ(file->length, sizeof(bytes)) << "binary files keep their size";
    EXPECT_EQ(std::vector<std::uint8_t>(file->bytes().begin(), file->bytes().end()),
              std::vector<std::uint8_t>(std::begin(bytes), std::end(bytes)));
    EXPECT_EQ(files.currentFile(), file);
    EXPECT_EQ(file->reader.position(), 0u);
    EXPECT_EQ(file->reader.size(), file->length);
}

TEST_F(SkinFilesInScratchFolder, TextFilesGainANulCountedInTheLength)
{
    for (const std::string extension : {"frag", "vert", "txt", "fnt"})
    {
        folder.write("text." + extension, "abc");
        const SkinFile* file = files.openFile("Text." + extension);
        ASSERT_NE(file, nullptr) << extension;
        EXPECT_EQ(file->length, 4u) << extension;
        EXPECT_EQ(file->data[3], 0) << extension;
        files.closeFile(file);
    }
}

TEST_F(SkinFilesInScratchFolder, BuffersAreSixteenByteAligned)
{
    folder.write("a.png", "x");
    folder.write("b.vert", "void main() {}");
    for (const char* name : {"a.png", "b.vert"})
    {
        const SkinFile* file = files.openFile(name);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(file->data.data()) % 16, 0u) << name;
    }
}

TEST_F(SkinFilesInScratchFolder, MissingOrOversizedFilesYieldNull)
{
    EXPECT_EQ(files.openFile("missing.png"), nullptr);

    folder.write("huge.png", "");
    std::filesystem::resize_file(folder.file("huge.png"), SkinFiles::kMaxFileSize + 1);
    EXPECT_EQ(files.openFile("huge.png"), nullptr);
    EXPECT_EQ(files.openFileCount(), 0u);

    folder.write("found.png", "x");
    EXPECT_EQ(SkinFiles("").openFile("found.png"), nullptr) << "an unknown module folder finds nothing";
}

TEST_F(SkinFilesInScratchFolder, ClosingFreesTheRecordAndForgetsTheCurrentFile)
{
    folder.write("a.png", "a");
    folder.write("b.png", "b");
    const SkinFile* first = files.openFile("a.png");
    const SkinFile* second = files.openFile("b.png");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->id, second->id);
    EXPECT_EQ(files.currentFile(), second);

    files.closeFile(first);
    EXPECT_EQ(files.openFileCount(), 1u);
    EXPECT_EQ(files.currentFile(), nullptr);

    const int secondId = second->id;
    const SkinFile* third = files.openFile("a.png");
    ASSERT_NE(third, nullptr);
    EXPECT_NE(third->id, secondId) << "ids stay unique after a close";

    files.closeCurrent();
    EXPECT_EQ(files.openFileCount(), 1u);
    EXPECT_EQ(files.currentFile(), nullptr);
    files.closeCurrent();
    EXPECT_EQ(files.openFileCount(), 1u) << "nothing current, nothing closed";
}
