#include "editor/EffectEditor.h"

#include "editor/GUImachine.h"
#include "editor/ShaderSet.h"
#include "editor/VersionLine.h"
#include "engine/EngineHost.h"
#include "glgui/OpenGL.h"
#include "params/ParameterTable.h"
#include "view/EditorEffect.h"
#include "window/DesktopScale.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>

namespace
{

constexpr const char* kTextures[] = {"missing.png", "sf_background.png", "info_back.png",
                                     "eq_ring.png", "line.png",          "eq_fft, 512, 1, r32f, float, nomips, clamp"};
constexpr const char* kModels[] = {"slider_small.3ds",  "logo.3ds",   "knob1.3ds",    "knob2.3ds",
                                   "slider_medium.3ds", "handle.3ds", "button_r.3ds", "wheel.3ds"};
constexpr const char* kFonts[] = {"font_marke", "font_heiti", "font_large"};
constexpr float kFieldOfView = 28.7f;
// Half of the field of view in radians: at this distance one scene unit at z = 0 is one pixel.
constexpr double kHalfFieldOfViewRadians = 0.25045475;
constexpr float kCameraEasing = 0.9f;

const float kLight0Position[4] = {-800.0f, 800.0f, 1200.0f, 1.0f};
const float kLight0Diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float kLight0Ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const float kLight1Position[4] = {1200.0f, -600.0f, 480.0f, 1.0f};
const float kLight1Ambient[4] = {0.0f, 0.0f, 0.0f, 0.0f};
const float kLight1Diffuse[4] = {0.08f, 0.08f, 0.08f, 1.0f};
const float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
// Shadows fall on the plane z = 0.2 from light 0, pulled in to soften their length.
const float kShadowPlanePoint[3] = {0.0f, 0.0f, 0.2f};
const float kShadowPlaneNormal[3] = {0.0f, 0.0f, 1.0f};
const float kShadowLight[4] = {-800.0f, 800.0f, 1200.0f * 0.71428573f, 1.0f};

constexpr float kVersionLineY = 204.0f;
constexpr FontBank::Colour kVersionTextColour{1.0f, 1.0f, 1.0f, 0.8f};
constexpr FontBank::Colour kVersionBoxColour{0.0f, 0.0f, 0.0f, 0.25f};

}  // namespace

// The keys the window's own events and the host's passed-on keys carry are named alike.
static_assert(EditorView::kShiftModifier == VSTGL_Editor::kShift &&
              EditorView::kControlModifier == VSTGL_Editor::kControl && EditorView::kAltModifier == VSTGL_Editor::kAlt);
static_assert(EditorView::kBackspaceKey == platform::kKeyBackspace && EditorView::kReturnKey == platform::kKeyReturn &&
              EditorView::kEscapeKey == platform::kKeyEscape);

EffectEditor::EffectEditor(EditorEffect& effectLink, EngineDisplays* engine, std::string skinFolder)
    : VSTGL_Editor(std::move(skinFolder)), effect(effectLink), engineDisplays(engine), model(engine)
{
    setEditorSize(kWidth, kHeight);
}

std::unique_ptr<EditorView> EffectEditor::make(EditorEffect& effect, EngineHost* engine)
{
    return std::make_unique<EffectEditor>(effect, engine != nullptr ? &engine->liveDisplays() : nullptr);
}

// A host may close the effect with its editor still open.
EffectEditor::~EffectEditor()
{
    close();
    if (makeKeptContextCurrent())
        shaders.reset();
}

void EffectEditor::registerResources()
{
    SkinManifest manifest;
    manifest.textures.assign(std::begin(kTextures), std::end(kTextures));
    manifest.models.assign(std::begin(kModels), std::end(kModels));
    manifest.fonts.assign(std::begin(kFonts), std::end(kFonts));
    resources().loadSkin(manifest);
}

void EffectEditor::setUpLights()
{
    glLightfv(GL_LIGHT0, GL_POSITION, kLight0Position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLight0Diffuse);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLight0Ambient);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kWhite);
    glLightfv(GL_LIGHT1, GL_POSITION, kLight1Position);
    glLightfv(GL_LIGHT1, GL_AMBIENT, kLight1Ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, kLight1Diffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, kWhite);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glDisable(GL_LIGHT2);
    glDisable(GL_LIGHT3);
}

void EffectEditor::openGui()
{
    if (isGuiReady())
        return;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setUpLights();
    frameCounter = 0.0f;
    // The one read of the effect: from here on the host's changes arrive through the inbox.
    inbox.drain([](int, float) {});
    for (int index = 0; index < kNumParameters; ++index)
        model.setValue(index, effect.getParameter(index));
    // Out of memory while building, the editor stays blank: an exception must never reach
    // the host's call into the dispatcher.
    try
    {
        if (shaders == nullptr)
            shaders = glObjectsKept() ? ShaderSet::shared(resources().files(), kWidth, kHeight)
                                      : std::make_shared<ShaderSet>(resources().files(), kWidth, kHeight);
        gui = std::make_unique<GUImachine>(*this, model, edits, presets, editorScale, *shaders);
        buildScene();
    }
    catch (const std::exception&)
    {
        gui.reset();
    }
    // The engine analyses the display spectrum only while someone looks at it.
    if (engineDisplays != nullptr)
        engineDisplays->setDisplayWanted(true);
}

void EffectEditor::buildScene()
{
    const float distance = static_cast<float>((kHeight / 2.0) / std::tan(kHalfFieldOfViewRadians));
    targetCamera = Camera{{0.0f, 0.0f, distance}, {0.0f, 0.0f, 0.0f}, kFieldOfView};
    setCamera(targetCamera);
    gui->buildGui("font_heiti");
    resources().fonts().buildLists();
    redrawWanted = true;
    setGuiReady(true);
}

void EffectEditor::closeGui()
{
    if (!isGuiReady())
        return;
    edits.endAll();
    resources().fonts().deleteLists();
    gui.reset();
    if (!glObjectsKept())
        shaders.reset();
    if (engineDisplays != nullptr)
        engineDisplays->setDisplayWanted(false);
    setGuiReady(false);
}

EditorView::Size EffectEditor::size()
{
    // Closed, the size the next opening will have: hosts ask before they make the window.
    if (!isOpen())
    {
        editorScale.recallUserChoice();
        editorScale.setDesktopFactor(platform::desktopScale(nullptr));
        setPixelScale(editorScale.chosen());
    }
    return Size{pixelWidth(), pixelHeight()};
}

bool EffectEditor::open(void* parentWindow)
{
    // The skin is decoded when someone first looks, not when a host creates the effect to
    // scan it. Out of memory, the editor stays shut: an exception must never reach the host.
    if (resources().skin() == nullptr)
    {
        try
        {
            registerResources();
        }
        catch (const std::exception&)
        {
            return false;
        }
    }
    editorScale.recallUserChoice();
    if (parentWindow != nullptr)
    {
        editorScale.setDesktopFactor(platform::desktopScale(parentWindow));
        setPixelScale(editorScale.chosen());
    }
    refusedScale = 0.0f;
    return VSTGL_Editor::open(parentWindow);
}

void EffectEditor::setHostScale(float factor)
{
    editorScale.setHostFactor(factor);
    if (!isOpen())
        setPixelScale(editorScale.chosen());
}

void EffectEditor::desktopScaleChanged()
{
    editorScale.setDesktopFactor(platform::desktopScale(parentWindow()));
}

void EffectEditor::followChosenScale()
{
    const float wanted = editorScale.chosen();
    if (wanted == pixelScale() || wanted == refusedScale)
        return;
    void* window = parentWindow();
    if (!effect.requestEditorSize(static_cast<int>(std::lround(kWidth * wanted)),
                                  static_cast<int>(std::lround(kHeight * wanted))))
    {
        // Never drawn cropped or stretched: the old size stays until the next opening.
        refusedScale = wanted;
        return;
    }
    if (resizeWindow(wanted))
        return;
    close();
    open(window);
}

void EffectEditor::idle()
{
    // Between events, so a window is never replaced while it handles one of its own.
    if (isOpen() && isGuiReady())
        followChosenScale();
    if (isGuiReady())
        frameCounter = std::min(frameCounter + 1.0f, kFrameCounterCap);
    VSTGL_Editor::idle();
}

void EffectEditor::parameterChanged(int index, float value)
{
    inbox.post(index, value);
}

bool EffectEditor::drainInbox()
{
    return inbox.drain(
        [this](int index, float value)
        {
            model.setValue(index, value);
            if (gui != nullptr)
                gui->parameterChanged(index, value);
        });
}

bool EffectEditor::frameWanted()
{
    if (gui == nullptr)
        return false;
    const bool changed = drainInbox();
    // While it shows, and once more to clear it, however many idle calls came between frames.
    const bool versionLineDue = frameCounter < static_cast<float>(kVersionLineFrames) || versionLineDrawn;
    return redrawWanted || changed || versionLineDue || gui->hoverTimerRunning() || !cameraStill() ||
           gui->frameDue();
}

void EffectEditor::prepareFrame()
{
    if (!isGuiReady() || gui == nullptr)
        return;
    drainInbox();
    // The user's edits of the curve points reach the engine's table through Internal 0,
    // which the host does not record.
    if (edits.takeCurveEdited())
        effect.setParameter(kParamInternal0, 1.0f);
    if (!cameraSettled())
        invalidateWholeFrame();
    // Last frame's hover texts and panels give way to the scene below them.
    invalidate(overlayArea);
    // What the live displays would show in this frame: they are drawn again only where it
    // differs from what they show.
    model.takeLiveData();
    DamageRegion changed;
    soleDamage.clear();
    if (!gui->collectDamage(changed, soleDamage))
    {
        invalidateWholeFrame();
        return;
    }
    for (const ScreenRect& part : changed)
        invalidate(part);
    for (const VSTGL_GUIbuild::SolePart& sole : soleDamage)
        invalidateSole(sole.part, static_cast<int>(sole.control));
}

void EffectEditor::frameBegins()
{
    if (!isGuiReady() || gui == nullptr)
        return;
    if (!cameraSettled())
    {
        Camera eased = currentCamera();
        for (int axis = 0; axis < 3; ++axis)
        {
            eased.eye[axis] = (eased.eye[axis] - targetCamera.eye[axis]) * kCameraEasing + targetCamera.eye[axis];
            eased.target[axis] =
                (eased.target[axis] - targetCamera.target[axis]) * kCameraEasing + targetCamera.target[axis];
        }
        setCamera(eased);
    }
    gui->advanceFrame();
    // The texts of every part of the frame, and of its overlays, count towards overlayArea.
    resources().fonts().forgetDrawnArea();
}

void EffectEditor::frameUnseen()
{
    if (!isGuiReady() || gui == nullptr)
        return;
    drainInbox();
    model.takeLiveData();
}

bool EffectEditor::cameraSettled() const
{
    const Camera& now = currentCamera();
    for (int axis = 0; axis < 3; ++axis)
    {
        if (now.eye[axis] != targetCamera.eye[axis] || now.target[axis] != targetCamera.target[axis])
            return false;
    }
    return true;
}

void EffectEditor::draw()
{
    if (!isGuiReady() || gui == nullptr)
        return;
    GuiResources& skin = resources();
    skin.setPerspectiveView();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, kLight0Position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLight0Diffuse);
    makeShadowMatrix(kShadowPlanePoint, kShadowPlaneNormal, kShadowLight);
    gui->placeControls();

    glClearStencil(0);
    glStencilMask(15);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    skin.setPerspectiveView();
    glEnable(GL_CULL_FACE);
    gui->drawControls();
    skin.setOrthoView();
    drawShadowOverlay();
    gui->drawOverlay();
}

void EffectEditor::drawSole(int control)
{
    if (!isGuiReady() || gui == nullptr)
        return;
    // What the scene's pass has set when it comes to a display.
    resources().setPerspectiveView();
    glDisable(GL_STENCIL_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gui->drawAlone(static_cast<std::size_t>(control));
}

void EffectEditor::drawOverlays()
{
    if (!isGuiReady() || gui == nullptr)
        return;
    gui->drawHover();
    // The opening's version line would cross the preset menu's list.
    versionLineDrawn = frameCounter < static_cast<float>(kVersionLineFrames) && !gui->presetMenuOpen();
    if (versionLineDrawn)
        drawVersionLine();
    overlayArea = gui->overlayReach();
    const FontBank::Area& texts = resources().fonts().drawnArea();
    if (!texts.empty)
        overlayArea.unite(overlayToWindow(texts.left, texts.bottom, texts.right, texts.top));
    drewOutsideClip(overlayArea);
    gui->markAllDrawn();
    redrawWanted = false;
}

void EffectEditor::drawVersionLine()
{
    const std::string text = versionLineText();
    FontBank& fonts = resources().fonts();
    fonts.selectFont("font_heiti");
    fonts.beginText();
    fonts.drawText(text, 0.0f, kVersionLineY, &kVersionTextColour, nullptr, &kVersionBoxColour, FontBank::kAlignCentre);
    fonts.endText();
}

void EffectEditor::mouseDown(int buttons, int x, int y)
{
    requestCursor(platform::PointerCursor::Hand);
    redrawWanted = true;
    if (gui != nullptr)
        gui->mouseDown(buttons, x, y);
}

void EffectEditor::mouseMove(int buttons, int x, int y)
{
    requestCursor(buttons != 0 ? platform::PointerCursor::Hand : platform::PointerCursor::Arrow);
    redrawWanted = true;
    if (gui != nullptr)
        gui->mouseMove(buttons, x, y);
}

void EffectEditor::mouseUp(int buttons, int x, int y)
{
    requestCursor(platform::PointerCursor::Arrow);
    redrawWanted = true;
    if (gui != nullptr)
        gui->mouseUp(buttons, x, y);
    // A gesture a control left open ends with the press that began it.
    edits.endAll();
}

void EffectEditor::keyDown(const KeyRecord& key)
{
    takeKey(key);
}

bool EffectEditor::keyPressed(int keyCode, int modifiers, char typed)
{
    return isOpen() && takeKey(KeyRecord{keyCode, modifiers, typed});
}

bool EffectEditor::takeKey(const KeyRecord& key)
{
    if (gui == nullptr)
        return false;
    if ((key.modifiers & (kControl | kAlt)) == 0)
        return gui->typeIntoMenu(key.keyCode, key.typed);
    if ((key.modifiers & kControl) == 0)
        return false;
    bool used = false;
    // Ctrl+Shift+Z as most hosts, Ctrl+Y as Windows programs redo.
    if (key.keyCode == 'y' || (key.keyCode == 'z' && (key.modifiers & kShift) != 0))
        used = edits.redo();
    else if (key.keyCode == 'z')
        used = edits.undo();
    gui->refreshMenu();
    return used;
}

void EffectEditor::mouseLeave()
{
    requestCursor(platform::PointerCursor::Arrow);
    redrawWanted = true;
    if (gui != nullptr)
        gui->clearHover();
}
