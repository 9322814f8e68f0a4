// The generated skin, read with the editor's own readers: every registered file exists and
// parses into something the editor can draw.
#include "glgui/BitmapFont.h"
#include "glgui/Model3DS.h"
#include "glgui/PngDecoder.h"
#include "glgui/SkinFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(GeneratedSkin, EveryModelHasMeshesWithinItsLayoutBox)
{
    SkinFiles files = generatedSkin();
    // Largest extent in scene units (pixels at depth 0) each model may have.
    const std::pair<const char*, float> models[] = {
        {"knob1.3ds", 80.0f},        {"knob2.3ds", 80.0f},     {"handle.3ds", 60.0f}, {"slider_small.3ds", 200.0f},
        {"slider_medium.3ds", 400.0f}, {"wheel.3ds", 160.0f}, {"logo.3ds", 200.0f}, {"button_r.3ds", 60.0f}};
    for (const auto& [name, largest] : models)
    {
        const std::optional<Model3DS> model = loadModel3DS(files, name);
        ASSERT_TRUE(model.has_value()) << name;
        ASSERT_FALSE(model->meshes.empty()) << name;
        float extent = 0.0f;
        for (const Mesh3DS& mesh : model->meshes)
        {
            EXPECT_GT(mesh.faceCount(), 0u) << name << " " << mesh.name;
            for (float coordinate : mesh.vertices)
                extent = std::max(extent, std::abs(coordinate));
        }
        EXPECT_GT(extent, 2.0f) << name;
        EXPECT_LT(extent, largest) << name;
    }
}

TEST(GeneratedSkin, TheButtonHasLitAndUnlitPartsAndAFlashMaterial)
{
    SkinFiles files = generatedSkin();
    const std::optional<Model3DS> button = loadModel3DS(files, "button_r.3ds");
    ASSERT_TRUE(button.has_value());
    bool anyOffOnly = false;
    bool anyOnOnly = false;
    for (const Mesh3DS& mesh : button->meshes)
    {
        const bool hasOff = mesh.name.find("off") != std::string::npos;
        const bool hasOn = mesh.name.find("on") != std::string::npos;
        anyOnOnly = anyOnOnly || (hasOn && !hasOff);
        anyOffOnly = anyOffOnly || hasOff;
    }
    EXPECT_TRUE(anyOnOnly) << "a part drawn only when lit";
    EXPECT_TRUE(anyOffOnly) << "a part drawn when unlit";
    EXPECT_GE(button->materials.size(), 3u) << "material 2 is the light that flashes";
}

TEST(GeneratedSkin, FontsCoverPrintableAsciiAndTheHelpFontFitsThePanel)
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
    EXPECT_LE(help->lineHeight, 15) << "the help panel steps 15 pixels a line";
    EXPECT_GE(measureText(*help, "abcdefghijklmnopqrstuvwxyz"), 100) << "readable, not microscopic";
    EXPECT_LT(measureText(*help, "Stereo Width"), 292);
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
