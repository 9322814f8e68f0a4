#include "editor/EffectEditor.h"

#include "glgui/OpenGL.h"

#include <cmath>

namespace
{

constexpr const char* kTextures[] = {"missing.png", "sf_background.png", "info_back.png", "eq_ring.png", "line.png",
                                     "eq_fft, 512, 1, r32f, float, nomips, clamp"};
constexpr const char* kModels[] = {"slider_small.3ds", "logo.3ds",   "knob1.3ds",    "knob2.3ds",
                                   "slider_medium.3ds", "handle.3ds", "button_r.3ds", "wheel.3ds"};
constexpr const char* kFonts[] = {"font_marke", "font_heiti", "font_large"};
constexpr float kFieldOfView = 28.7f;
// Half of the field of view in radians: at this distance one scene unit at z = 0 is one pixel.
constexpr double kHalfFieldOfViewRadians = 0.25045475;

}  // namespace

EffectEditor::EffectEditor(AudioEffect* owner, EngineHost* engine) : VSTGL_Editor(owner), engineHost(engine)
{
    rectangle = ERect{0, 0, kHeight, kWidth};
    registerResources();
}

// A host may close the effect with its editor still open.
EffectEditor::~EffectEditor()
{
    close();
}

void EffectEditor::registerResources()
{
    GuiResources& skin = resources();
    for (const char* texture : kTextures)
        skin.textures().registerTexture(texture);
    for (const char* model : kModels)
        skin.models().loadModel(skin.files(), model);
    for (const char* font : kFonts)
        skin.fonts().loadFont(skin.files(), font);
    skin.fonts().registerFontPages(skin.textures());
    skin.textures().loadAll(skin.files());
}

void EffectEditor::openGui()
{
    if (guiReady || engineHost == nullptr)
        return;
    const float distance = static_cast<float>((kHeight / 2.0) / std::tan(kHalfFieldOfViewRadians));
    camera = Camera{{0.0f, 0.0f, distance}, {0.0f, 0.0f, 0.0f}, kFieldOfView};
    resources().resetViewMode();
    resources().setPerspectiveView();
    resources().fonts().buildLists();
    guiReady = true;
}

void EffectEditor::closeGui()
{
    if (!guiReady)
        return;
    resources().fonts().deleteLists();
    guiReady = false;
}

void EffectEditor::draw()
{
    if (!guiReady || engineHost == nullptr)
        return;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    GuiResources& skin = resources();
    skin.setOrthoView();
    glUseProgram(0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    skin.bindTexture("sf_background.png");
    // The faceplate fills the window, its top row (t = 0) at the top, untinted.
    const float halfWidth = kWidth / 2.0f;
    const float halfHeight = kHeight / 2.0f;
    skin.stripMode = GuiResources::kVertexStrip;
    skin.stripPoints = {-halfWidth, -halfHeight, -halfWidth, halfHeight, halfWidth, -halfHeight, halfWidth, halfHeight};
    skin.stripTexCoords = {0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.0f};
    skin.stripColours.assign(16, 1.0f);
    skin.drawStrip();
}
