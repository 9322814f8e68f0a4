// The framework draws a scene from skin files the test writes: a PNG texture on a quad, a
// 3DS model in the perspective view, a line of bitmap text and a shader program; the
// presented frame is read back and checked pixel by pixel.
#include <gtest/gtest.h>

#include "DawWindow.h"
#include "glgui/OpenGL.h"
#include "glgui/ShaderProgram.h"
#include "glgui/VSTGL_Editor.h"
#include "support/CapturedFrame.h"
#include "support/SceneFiles.h"
#include "support/ScratchSkinFolder.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;

class SceneEditor : public VSTGL_Editor
{
public:
    explicit SceneEditor(const std::string& skinFolder) : VSTGL_Editor(skinFolder)
    {
        setEditorSize(kWidth, kHeight);
        resources().loadSkin({{"missing.png", "Checker_Nearest_NoMips.PNG"}, {"square.3ds"}, {"font"}});
    }
    ~SceneEditor() override { close(); }

    bool brokenShaderKeptRunning = false;

protected:
    void openGui() override
    {
        const float distance = static_cast<float>((kHeight / 2.0) / std::tan(0.25045475));
        setCamera(Camera{{0.0f, 0.0f, distance}, {0.0f, 0.0f, 0.0f}, 28.7f});
        GuiResources& skin = resources();
        skin.resetViewMode();
        skin.fonts().buildLists();
        flat = std::make_unique<ShaderProgram>();
        flat->setName("Flat");
        flat->addShader(GL_VERTEX_SHADER, skin.files(), "flat.vert");
        flat->addShader(GL_FRAGMENT_SHADER, skin.files(), "flat.frag");
        flat->link();
        flat->addUniform("tint");
        broken = std::make_unique<ShaderProgram>();
        broken->setName("Broken");
        broken->addShader(GL_FRAGMENT_SHADER, skin.files(), "broken.frag");
        brokenShaderKeptRunning = true;
        setGuiReady(true);
    }

    void closeGui() override
    {
        flat.reset();
        broken.reset();
        resources().fonts().deleteLists();
        setGuiReady(false);
    }

    void draw() override
    {
        GuiResources& skin = resources();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        // Top left: the 2 x 2 checker, nearest-filtered, its top row at the top.
        skin.setOrthoView();
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        skin.bindTexture("checker_nearest_nomips.png");
        skin.stripMode = GuiResources::kVertexStrip;
        skin.stripPoints = {-192.0f, 92.0f, -192.0f, 220.0f, -64.0f, 92.0f, -64.0f, 220.0f};
        skin.stripTexCoords = {0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.0f};
        skin.stripColours.assign(16, 1.0f);
        skin.drawStrip();

        // Top right: the model, self-lit green, in the perspective view at (128, 156).
        skin.setPerspectiveView();
        glLoadIdentity();
        glEnable(GL_LIGHTING);
        const GLfloat noAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
        glDisable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        glTranslatef(128.0f, 156.0f, 0.0f);
        skin.models().drawModel(*skin.models().findModel("SQUARE.3DS"));
        glDisable(GL_LIGHTING);

        // Bottom left: a line of text in white.
        skin.fonts().selectFont("font");
        skin.fonts().beginText();
        const FontBank::Colour white{1.0f, 1.0f, 1.0f, 1.0f};
        skin.fonts().drawText("AAAAAA", -200.0f, -160.0f, &white, nullptr, nullptr, 0);
        skin.fonts().endText();

        // Bottom right: a quad coloured by the shader program's uniform.
        skin.setOrthoView();
        glLoadIdentity();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glUseProgram(flat->program());
        glUniform4f(static_cast<GLint>(flat->uniformLocation("tint")), 1.0f, 0.0f, 1.0f, 1.0f);
        skin.drawCenteredQuad(128.0f, -156.0f, 64.0f, 64.0f, 0.0f, 0.0f, 1.0f, 1.0f);
        glUseProgram(0);
    }

private:
    std::unique_ptr<ShaderProgram> flat;
    std::unique_ptr<ShaderProgram> broken;
};

// Window pixel from overlay coordinates (origin at the centre, y upwards).
const std::uint8_t* at(const CapturedFrame& frame, int x, int y)
{
    return frame.pixel(kWidth / 2 + x, kHeight / 2 - y);
}

void expectColour(const std::uint8_t* pixel, int red, int green, int blue, const char* what)
{
    EXPECT_NEAR(pixel[0], red, 8) << what;
    EXPECT_NEAR(pixel[1], green, 8) << what;
    EXPECT_NEAR(pixel[2], blue, 8) << what;
}

}  // namespace

TEST(EditorScene, TextureModelTextAndShaderAllReachTheScreen)
{
    ScratchSkinFolder skin;
    ASSERT_TRUE(skin.created());
    skin.write("checker_nearest_nomips.png",
               pngOf(2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}));
    skin.write("missing.png", pngOf(1, 1, {255, 0, 255, 255}));
    skin.write("square.3ds", squareModel(100.0f, 0, 255, 0));
    skin.write("font.fnt", solidFont());
    std::vector<std::uint8_t> page(8 * 8 * 4, 255);
    skin.write("font.png", pngOf(8, 8, page));
    skin.write("flat.vert", "void main() { gl_Position = ftransform(); }\n");
    skin.write("flat.frag", "uniform vec4 tint;\nvoid main() { gl_FragColor = tint; }\n");
    skin.write("broken.frag", "void main() { this is not GLSL }\n");

    DawWindow daw(kWidth, kHeight);
    ASSERT_TRUE(daw.valid());
    SceneEditor editor(skin.path());
    testing::internal::CaptureStderr();
    ASSERT_TRUE(editor.open(daw.handle()));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(editor.brokenShaderKeptRunning);
    EXPECT_NE(messages.find("Mistake in FRAGment shader 'Broken'"), std::string::npos) << messages;

    std::remove(CapturedFrame::path().c_str());
    editor.renderFrame();
    const CapturedFrame frame = CapturedFrame::read();
    ASSERT_EQ(frame.width, kWidth);

    expectColour(at(frame, -160, 188), 255, 0, 0, "checker top left");
    expectColour(at(frame, -96, 188), 0, 255, 0, "checker top right");
    expectColour(at(frame, -160, 124), 0, 0, 255, "checker bottom left");
    expectColour(at(frame, -96, 124), 255, 255, 255, "checker bottom right");
    expectColour(at(frame, 128, 156), 0, 255, 0, "model centre");
    expectColour(at(frame, 128 + 60, 156), 0, 0, 0, "outside the 100-unit model");
    expectColour(at(frame, -196, -156), 255, 255, 255, "first glyph");
    expectColour(at(frame, -191, -156), 0, 0, 0, "gap between glyphs");
    expectColour(at(frame, 128, -156), 255, 0, 255, "shader quad");
    editor.close();
}

TEST(EditorScene, TwoEditorsDrawFromOneDecodedSkin)
{
    ScratchSkinFolder skin;
    ASSERT_TRUE(skin.created());
    skin.write("checker_nearest_nomips.png", pngOf(1, 1, {255, 0, 0, 255}));
    skin.write("missing.png", pngOf(1, 1, {255, 0, 255, 255}));
    skin.write("square.3ds", squareModel(100.0f, 0, 255, 0));
    skin.write("font.fnt", solidFont());
    skin.write("font.png", pngOf(1, 1, {255, 255, 255, 255}));

    auto first = std::make_unique<SceneEditor>(skin.path());
    auto second = std::make_unique<SceneEditor>(skin.path());
    ASSERT_NE(first->resources().skin(), nullptr);
    EXPECT_EQ(first->resources().skin().get(), second->resources().skin().get());
    EXPECT_EQ(first->resources().models().findModel("square.3ds"),
              second->resources().models().findModel("square.3ds"));

    const std::weak_ptr<const SkinData> watch = first->resources().skin();
    first.reset();
    EXPECT_FALSE(watch.expired());
    second.reset();
    EXPECT_TRUE(watch.expired()) << "the last editor releases the decoded skin";
}

namespace
{

// An editor that draws whatever the test hands it, with the 2D overlay view set up.
class OverlayEditor : public VSTGL_Editor
{
public:
    using Drawing = std::function<void(GuiResources&)>;

    OverlayEditor(const std::string& skinFolder, Drawing drawing)
        : VSTGL_Editor(skinFolder), overlay(std::move(drawing))
    {
        setEditorSize(kWidth, kHeight);
        resources().loadSkin({{"missing.png", "ramp, 4, 1, rgba, byte, nomips, nearest, clamp"}, {}, {"font"}});
    }
    ~OverlayEditor() override { close(); }

protected:
    void openGui() override
    {
        resources().resetViewMode();
        resources().fonts().buildLists();
        setGuiReady(true);
    }
    void closeGui() override
    {
        resources().fonts().deleteLists();
        setGuiReady(false);
    }
    void draw() override
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        resources().setOrthoView();
        glLoadIdentity();
        overlay(resources());
    }

private:
    Drawing overlay;
};

CapturedFrame renderOnce(OverlayEditor& editor)
{
    std::remove(CapturedFrame::path().c_str());
    editor.renderFrame();
    return CapturedFrame::read();
}

}  // namespace

TEST(EditorScene, FilledTexturesRibbonsAndAlignedTextDrawWhereTheyShould)
{
    ScratchSkinFolder skin;
    ASSERT_TRUE(skin.created());
    skin.write("missing.png", pngOf(1, 1, {255, 0, 255, 255}));
    skin.write("font.fnt", solidFont());
    skin.write("font.png", pngOf(8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 255)));
    DawWindow daw(kWidth, kHeight);
    ASSERT_TRUE(daw.valid());

    OverlayEditor editor(
        skin.path(),
        [](GuiResources& resources)
        {
            // A texture the program fills itself: four texels, red, green, blue, white.
            auto* texels = static_cast<std::uint8_t*>(resources.textures().lockPixels("ramp"));
            ASSERT_NE(texels, nullptr);
            const std::uint8_t ramp[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
            std::memcpy(texels, ramp, sizeof(ramp));
            resources.textures().updateTexture("ramp");
            glEnable(GL_TEXTURE_2D);
            resources.bindTexture("ramp");
            resources.stripMode = GuiResources::kVertexStrip;
            resources.stripPoints = {-200.0f, 200.0f, -200.0f, 240.0f, 200.0f, 200.0f, 200.0f, 240.0f};
            resources.stripTexCoords = {0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f};
            resources.stripColours.assign(16, 1.0f);
            resources.drawStrip();

            // A name nobody registered draws with the fallback image (magenta here).
            resources.bindTexture("Not_Registered.png");
            resources.stripPoints = {-240.0f, -300.0f, -240.0f, -260.0f, -200.0f, -300.0f, -200.0f, -260.0f};
            resources.drawStrip();

            // A ribbon 40 pixels wide along a horizontal polyline, yellow.
            glDisable(GL_TEXTURE_2D);
            resources.stripMode = GuiResources::kRibbonStrip;
            resources.stripLineWidth = 20000.0f;
            resources.stripPoints = {-200.0f, 0.0f, 0.0f, 0.0f, 200.0f, 0.0f};
            resources.stripTexCoords.clear();
            resources.stripColours = {1, 1, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1};
            resources.drawStrip();

            // Five 10-pixel glyphs centred on x = 0, over a blue box.
            resources.fonts().selectFont("font");
            resources.fonts().beginText();
            const FontBank::Colour white{1.0f, 1.0f, 1.0f, 1.0f};
            const FontBank::Colour blue{0.0f, 0.0f, 1.0f, 1.0f};
            resources.fonts().drawText("AAAAA", 0.7f, -200.0f, &white, nullptr, &blue, FontBank::kAlignCentre);
            resources.fonts().endText();
        });
    ASSERT_TRUE(editor.open(daw.handle()));
    const CapturedFrame frame = renderOnce(editor);
    ASSERT_EQ(frame.width, kWidth);

    expectColour(at(frame, -150, 220), 255, 0, 0, "first texel");
    expectColour(at(frame, -50, 220), 0, 255, 0, "second texel");
    expectColour(at(frame, 50, 220), 0, 0, 255, "third texel");
    expectColour(at(frame, 150, 220), 255, 255, 255, "fourth texel");

    expectColour(at(frame, -220, -280), 255, 0, 255, "unknown names fall back to missing.png");
    expectColour(at(frame, -100, 15), 255, 255, 0, "inside the ribbon");
    expectColour(at(frame, 100, -15), 255, 255, 0, "inside the ribbon, other edge");
    expectColour(at(frame, 0, 30), 0, 0, 0, "beyond the ribbon's width");

    // Centred: 50 pixels of text from x = -25 (the position snaps to whole pixels).
    expectColour(at(frame, -22, -196), 255, 255, 255, "first glyph");
    expectColour(at(frame, -16, -196), 0, 0, 255, "the box shows between glyphs");
    expectColour(at(frame, -27, -196), 0, 0, 255, "the box reaches 3 pixels past the text");
    expectColour(at(frame, -30, -196), 0, 0, 0, "and no further");
    editor.close();
}

// Every program of the generated skin compiles and links with the editor's own loader.
TEST(GeneratedSkinShaders, EveryProgramBuildsOnMesa)
{
    const char* folder = std::getenv("VANTOR_SKIN_DIR");
    ASSERT_NE(folder, nullptr);
    DawWindow daw(kWidth, kHeight);
    ASSERT_TRUE(daw.valid());
    OverlayEditor editor(
        std::string(folder) + "/",
        [](GuiResources& resources)
        {
            for (const char* name :
                 {"linedraw", "display", "widthline", "curve", "2d_texture", "lineequaliser", "fft_back", "scope"})
            {
                ShaderProgram program;
                program.setName(name);
                EXPECT_TRUE(program.addShader(GL_VERTEX_SHADER, resources.files(), std::string(name) + ".vert"))
                    << name;
                EXPECT_TRUE(program.addShader(GL_FRAGMENT_SHADER, resources.files(), std::string(name) + ".frag"))
                    << name;
                program.link();
                GLint linked = GL_FALSE;
                glGetProgramiv(program.program(), GL_LINK_STATUS, &linked);
                EXPECT_EQ(linked, GL_TRUE) << name;
            }
        });
    testing::internal::CaptureStderr();
    ASSERT_TRUE(editor.open(daw.handle()));
    editor.renderFrame();
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(messages.find("Mistake"), std::string::npos) << messages;
    editor.close();
}
