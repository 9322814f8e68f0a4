// The generated skin, read with the editor's own readers: every registered file exists and
// parses into something the editor can draw.
#include "glgui/BitmapFont.h"
#include "glgui/Model3DS.h"
#include "glgui/PngDecoder.h"
#include "glgui/SkinFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{

SkinFiles generatedSkin()
{
    const char* folder = std::getenv("VANTOR_SKIN_DIR");
    return SkinFiles(folder != nullptr ? std::string(folder) + "/" : std::string());
}

struct ImageCase
{
    const char* name;
    int width;  // 0: any size
    int height;
};

}  // namespace

TEST(GeneratedSkin, EveryImageDecodesAtItsSize)
{
    SkinFiles files = generatedSkin();
    const ImageCase images[] = {{"missing.png", 0, 0},       {"sf_background.png", 512, 624}, {"info_back.png", 0, 0},
                                {"eq_ring.png", 0, 0},       {"line.png", 0, 0},              {"font_marke.png", 0, 0},
                                {"font_heiti.png", 0, 0},    {"font_large.png", 0, 0}};
    for (const ImageCase& image : images)
    {
        PngImage decoded;
        const PngResult result = loadPngFile(files, image.name, decoded);
        ASSERT_EQ(result.status, PngStatus::Decoded) << image.name << ": " << result.message;
        if (image.width != 0)
        {
            EXPECT_EQ(decoded.width, image.width) << image.name;
            EXPECT_EQ(decoded.height, image.height) << image.name;
        }
        EXPECT_GE(decoded.channels, 3) << image.name;
    }
    EXPECT_EQ(files.openFileCount(), 0u) << "readers close what they open";
}

// Sizes, the button's parts and the help font's fit are check_skin_files.py's; here the
// editor's own readers must take what the generator wrote.
TEST(GeneratedSkin, EveryModelParsesIntoMeshesWithFaces)
{
    SkinFiles files = generatedSkin();
    for (const char* name : {"knob1.3ds", "knob2.3ds", "handle.3ds", "slider_small.3ds", "slider_medium.3ds",
                             "wheel.3ds", "logo.3ds", "button_r.3ds"})
    {
        const std::optional<Model3DS> model = loadModel3DS(files, name);
        ASSERT_TRUE(model.has_value()) << name;
        ASSERT_FALSE(model->meshes.empty()) << name;
        for (const Mesh3DS& mesh : model->meshes)
            EXPECT_GT(mesh.faceCount(), 0u) << name << " " << mesh.name;
    }
}

TEST(GeneratedSkin, FontsCoverPrintableAscii)
{
    SkinFiles files = generatedSkin();
    for (const char* name : {"font_marke", "font_heiti", "font_large"})
    {
        const std::optional<BitmapFont> font = loadBitmapFont(files, name);
        ASSERT_TRUE(font.has_value()) << name;
        ASSERT_TRUE(font->hasGlyphs) << name;
        for (int code = 33; code < 127; ++code)
            EXPECT_GT(font->glyphs[static_cast<std::size_t>(code)].width, 0) << name << " '" << char(code) << "'";
        EXPECT_GT(font->glyphs[' '].xadvance, 0) << name;
    }
    const std::optional<BitmapFont> help = loadBitmapFont(files, "font_heiti");
    ASSERT_TRUE(help.has_value());
    EXPECT_GE(measureText(*help, "abcdefghijklmnopqrstuvwxyz"), 100) << "readable, not microscopic";
}

TEST(GeneratedSkin, ShaderSourcesAreTextWithATerminator)
{
    SkinFiles files = generatedSkin();
    for (const char* program : {"linedraw", "display", "widthline", "curve", "2d_texture", "lineequaliser", "fft_back", "scope"})
    {
        for (const char* stage : {".vert", ".frag"})
        {
            const std::string name = std::string(program) + stage;
            SkinFile* file = files.openFile(name);
            ASSERT_NE(file, nullptr) << name;
            EXPECT_EQ(file->data[file->length - 1], 0) << name;
            EXPECT_NE(std::string(reinterpret_cast<const char*>(file->data.data())).find("void main"),
                      std::string::npos)
                << name;
            files.closeFile(file);
        }
    }
}
