#include "editor/GUImachine.h"

#include "controls/cActiveFlashButton.h"
#include "controls/cDial.h"
#include "controls/cOnOffButton.h"
#include "controls/cPanel.h"
#include "controls/cPopOffDial.h"
#include "controls/cSliderRelative.h"
#include "controls/cWheelRelative.h"
#include "editor/CurveDisplay.h"
#include "editor/EffectEditor.h"
#include "editor/HelpLines.h"
#include "editor/ShaderSet.h"
#include "editor/cEqualiser.h"
#include "editor/cSpectrumPanel.h"
#include "editor/cStereoWidthPanel.h"
#include "engine/EngineHost.h"
#include "glgui/OpenGL.h"
#include "params/ValueText.h"
#include "platform/PreferenceStore.h"

#include <string_view>

namespace
{

constexpr const char* kBackgroundTexture = "sf_background.png";
constexpr const char* kInfoBackTexture = "info_back.png";
constexpr const char* kHelpFont = "font_heiti";
constexpr float kValueTextLift = 3.0f;
constexpr float kHelpTextInset = 14.0f;
constexpr float kHelpTextDrop = 26.0f;
constexpr int kHelpTextMode = 2;
constexpr int kValueTextMode = 8;
constexpr FontBank::Colour kValueTextColour{0.8f, 0.8f, 0.85f, 1.0f};
constexpr FontBank::Colour kValueFrameColour{0.95f, 0.85f, 0.6f, 0.5f};
constexpr FontBank::Colour kValueBoxColour{0.25f, 0.1f, 0.05f, 1.0f};
constexpr FontBank::Colour kHelpTextColour{0.8f, 0.8f, 0.85f, 1.0f};

ControlBox placedBox(const layout::Row& row, float left, float bottom)
{
    return ControlBox{{left + row.origin[0], bottom + row.origin[1], row.origin[2]},
                      {row.size[0], row.size[1], row.size[2]},
                      {left + row.centre[0], bottom + row.centre[1], row.centre[2]}};
}

// Where a point of the scene lands in the window (pixels from the bottom-left), through
// the current projection with an identity model-view; false outside the viewport.
bool projectToWindow(const float point[3], float& windowX, float& windowY)
{
    float projection[16];
    GLint viewport[4];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    float clip[4];
    for (int row = 0; row < 4; ++row)
        clip[row] = projection[row] * point[0] + projection[4 + row] * point[1] + projection[8 + row] * point[2] +
                    projection[12 + row];
    if (clip[3] <= 0.0f)
        return false;
    windowX = static_cast<float>(viewport[0]) + (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(viewport[2]);
    windowY = static_cast<float>(viewport[1]) + (clip[1] / clip[3] + 1.0f) * 0.5f * static_cast<float>(viewport[3]);
    return windowX >= static_cast<float>(viewport[0]) && windowX < static_cast<float>(viewport[0] + viewport[2]) &&
           windowY >= static_cast<float>(viewport[1]) && windowY < static_cast<float>(viewport[1] + viewport[3]);
}

}  // namespace

GUImachine::GUImachine(EffectEditor& owner) : VSTGL_GUIbuild(owner), effectEditor(owner) {}

GUImachine::~GUImachine() = default;

void GUImachine::addBackground(int& width, int& height)
{
    TextureBank& textures = effectEditor.resources().textures();
    const unsigned int texture = textures.getTexture(kBackgroundTexture, width, height);
    const float panelWidth = static_cast<float>(width) + 1.0f;
    const float panelHeight = static_cast<float>(height) + 1.0f;
    const ControlBox box{
        {-panelWidth / 2.0f, -panelHeight / 2.0f, -1.0f}, {panelWidth, panelHeight, 0.0f}, {0.0f, 0.0f, -1.0f}};
    addControl(std::make_unique<cPanel>(effectEditor, effectEditor, box, texture, width + 1, height + 1));
}

std::unique_ptr<GL_BaseControl> GUImachine::createControl(const layout::Row& row, float left, float bottom)
{
    using layout::ControlClass;
    const ControlBox box = placedBox(row, left, bottom);
    const Model3DS* model =
        row.modelName != nullptr ? effectEditor.resources().models().findModel(row.modelName) : nullptr;
    EffectEditor& e = effectEditor;
    switch (row.controlClass)
    {
    case ControlClass::Dial: return std::make_unique<cDial>(e, e, box, model, row.style);
    case ControlClass::PopOffDial: return std::make_unique<cPopOffDial>(e, e, box, model, row.style);
    case ControlClass::Slider:
        return std::make_unique<cSliderRelative>(e, e, box, model, row.style, layout::kSliderHandleLength);
    case ControlClass::Wheel: return std::make_unique<cWheelRelative>(e, e, box, model, row.style);
    case ControlClass::OnOffButton: return std::make_unique<cOnOffButton>(e, e, box, model, row.style);
    case ControlClass::ActiveFlashButton: return std::make_unique<cActiveFlashButton>(e, e, box, model, row.style);
    case ControlClass::SpectrumPanel:
        return std::make_unique<cSpectrumPanel>(e, e, box, row.style, *shaders,
                                                e.engine() != nullptr ? &e.engine()->meters() : nullptr);
    case ControlClass::StereoWidthPanel: return std::make_unique<cStereoWidthPanel>(e, e, box, row.style, *shaders);
    case ControlClass::Equaliser:
        return std::make_unique<cEqualiser>(e, e, box, row.style, *shaders,
                                            e.engine() != nullptr ? &e.engine()->displaySpectrum() : nullptr);
    case ControlClass::CurveDisplay: return std::make_unique<CurveDisplay>(e, e, box, row.style, *shaders);
    case ControlClass::Panel: return nullptr;  // the background, added with its picture's size
    }
    return nullptr;
}

void GUImachine::buildGui(const std::string& fontName)
{
    valueFont = fontName;
    shaders = std::make_unique<ShaderSet>(effectEditor.resources().files(), effectEditor.editorWidth(),
                                          effectEditor.editorHeight());
    int width = 0;
    int height = 0;
    addBackground(width, height);
    const float left = layout::leftEdge(width);
    const float bottom = layout::bottomEdge(height);

    for (const layout::Row& row : layout::controlRows())
    {
        std::unique_ptr<GL_BaseControl> created = createControl(row, left, bottom);
        if (created == nullptr)
            continue;
        GL_BaseControl& control = addControl(std::move(created));
        for (int slot = 0; slot < row.slotCount; ++slot)
        {
            control.bind(layout::slotTarget(row, slot));
            control.setDefault(static_cast<std::size_t>(slot), layout::slotDefault(row, slot));
        }
        for (int axis = 0; axis < 3; ++axis)
            control.labelOffset[axis] = row.labelOffset[axis];
        if (row.helpText != nullptr)
            control.help =
                std::make_unique<HelpRecord>(HelpRecord{row.helpText,
                                                        {left + row.helpAnchor[0], bottom + row.helpAnchor[1]},
                                                        {row.helpExtent[0], row.helpExtent[1]}});
        if (row.commandRow && row.command == EditorCommand::Info)
            readInfoPreference(control);
        if (layout::valueDisplayKind(row) == kDisplayShapeCurve)
        {
            const layout::Row& curve = layout::curveDisplayRow();
            curveDisplay = createControl(curve, left, bottom);
        }
    }

    // The controls take their first values from the effect: every write comes back through
    // the editor's parameter sweep.
    for (int index = 0; index < kNumParameters; ++index)
        effectEditor.writeParameter(index, effectEditor.readParameter(index));
}

void GUImachine::readInfoPreference(GL_BaseControl& infoSwitch)
{
    platform::PreferenceStore& store = effectEditor.preferenceStore();
    int preference = store.readPref();
    if (preference < 0)
        preference = 1;
    infoSwitch.setValue(0, static_cast<float>(preference));
    effectEditor.setInfoPanels(preference != 0);
    store.writePref(preference);
}

GL_BaseControl* GUImachine::controlNamed(const std::string& name) const
{
    const auto rows = layout::controlRows();
    // The list is the background, then the rows in order.
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        if (name == rows[i].name && i + 1 < controls().size())
            return controls()[i + 1].get();
    }
    return nullptr;
}

void GUImachine::drawControls()
{
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glDisable(GL_LIGHT2);
    glDisable(GL_LIGHT3);
    glDisable(GL_STENCIL_TEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    VSTGL_GUIbuild::drawControls();
}

void GUImachine::drawOverlay()
{
    VSTGL_GUIbuild::drawOverlay();
    // The hover texts and panels are redrawn on every frame over whatever lies below.
    effectEditor.endSceneClip();
    overlayArea = ScreenRect{};
    GL_BaseControl* control = hoveredControlPointer();
    if (control == nullptr)
        return;
    int& hoverFrames = effectEditor.hoverFrames();
    ++hoverFrames;
    if (hoverFrames >= kHoverTimeoutFrames && !effectEditor.infoPanels())
    {
        hoverFrames = kHoverTimeoutFrames;
        dropHover();
        return;
    }
    drawValueText(*control);
    if (control->help != nullptr && effectEditor.infoPanels())
        drawInformationPanel(*control->help);
}

void GUImachine::drawValueText(GL_BaseControl& control)
{
    GuiResources& resources = effectEditor.resources();
    resources.setPerspectiveView();
    const float label[3] = {control.labelAnchor[0] + control.labelOffset[0],
                            control.labelAnchor[1] + control.labelOffset[1],
                            control.labelAnchor[2] + control.labelOffset[2]};
    float windowX = 0.0f;
    float windowY = 0.0f;
    if (!projectToWindow(label, windowX, windowY))
        return;
    if (control.slots().empty() || control.slots()[0].target.kind != SlotTarget::Kind::Parameter)
        return;
    const int index = control.slots()[0].target.index;
    const int kind = displayKindOfParameter(index);
    if (kind == kDisplayShapeCurve && curveDisplay != nullptr)
    {
        curveDisplay->draw();
        curveDisplay->updateScreenRect();
        overlayArea.unite(curveDisplay->reachRect());
    }
    const std::string text = formatValueText(kind, effectEditor.displayValue(index));
    if (text.empty())
        return;
    FontBank& fonts = resources.fonts();
    fonts.selectFont(valueFont);
    fonts.beginText();
    const int* bounds = effectEditor.orthographicBounds();
    fonts.drawText(text, windowX + static_cast<float>(bounds[0]),
                   windowY + static_cast<float>(bounds[1]) + kValueTextLift, &kValueTextColour, &kValueFrameColour,
                   &kValueBoxColour, kValueTextMode);
    fonts.endText();
}

void GUImachine::drawInformationPanel(const HelpRecord& help)
{
    GuiResources& resources = effectEditor.resources();
    const float corner[2] = {help.anchor[0] + help.extent[0], help.anchor[1] + help.extent[1]};
    const float left = help.extent[0] >= 0.0f ? help.anchor[0] : corner[0];
    const float right = help.extent[0] >= 0.0f ? corner[0] : help.anchor[0];
    const float top = help.extent[1] > 0.0f ? corner[1] : help.anchor[1];
    const float bottom = help.extent[1] > 0.0f ? help.anchor[1] : corner[1];

    // The panel's picture through the shader set's textured-quad program, which takes
    // device units: scene units (pixels from the centre) times 2 / the window's size.
    resources.setOrthoView();
    glDisable(GL_LIGHTING);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    shaders->use(ShaderSet::Program::Texture2D);
    shaders->setInt(ShaderSet::Program::Texture2D, "texture0", 0);
    resources.bindTexture(kInfoBackTexture);
    const float toDeviceX = 2.0f / static_cast<float>(effectEditor.editorWidth());
    const float toDeviceY = 2.0f / static_cast<float>(effectEditor.editorHeight());
    resources.drawCenteredQuad((left + right) / 2.0f * toDeviceX, (bottom + top) / 2.0f * toDeviceY,
                               (right - left) / 2.0f * toDeviceX, (top - bottom) / 2.0f * toDeviceY, 0.0f, 1.0f, 1.0f,
                               0.0f);
    ShaderSet::useNone();
    overlayArea.unite(effectEditor.overlayToWindow(left, bottom, right, top));

    FontBank& fonts = resources.fonts();
    fonts.selectFont(kHelpFont);
    fonts.beginText();
    const std::string_view text = help.text;
    float y = top - kHelpTextDrop;
    const float x = left + kHelpTextInset;
    forEachHelpLine(
        text, [&](std::size_t start) { return fonts.wrapPosition(text, start); },
        [&](std::string_view line)
        {
            fonts.drawText(line, x, y, &kHelpTextColour, nullptr, nullptr, kHelpTextMode);
            y -= kHelpLineStep;
        });
    fonts.endText();
}
