#include "editor/GUImachine.h"

#include "controls/OverlayColours.h"
#include "controls/cActiveFlashButton.h"
#include "controls/cDial.h"
#include "controls/cListMenu.h"
#include "controls/cOnOffButton.h"
#include "controls/cPanel.h"
#include "controls/cPopOffDial.h"
#include "controls/cSliderRelative.h"
#include "controls/cWheelRelative.h"
#include "editor/CurveDisplay.h"
#include "editor/EditorModel.h"
#include "editor/EditorScale.h"
#include "editor/HelpLines.h"
#include "editor/HostEdits.h"
#include "editor/ShaderSet.h"
#include "editor/cEqualiser.h"
#include "editor/cSpectrumPanel.h"
#include "editor/cStereoWidthPanel.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"
#include "params/ValueText.h"
#include "platform/PreferenceStore.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

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
constexpr FontBank::Colour kHelpTextColour{0.8f, 0.8f, 0.85f, 1.0f};
// Wide enough for a preset's longest name and the menu's notes.
constexpr int kPresetListWidth = 250;
// Wide enough for the size menu's "Automatic (100 %)".
constexpr int kSizeListWidth = 120;

// What a slot of a row's control is bound to: its command, or its parameters in order.
SlotTarget slotTarget(const layout::Row& row, int slot)
{
    if (row.command)
        return SlotTarget{SlotTarget::Kind::Command, static_cast<int>(*row.command)};
    return SlotTarget{SlotTarget::Kind::Parameter, row.parameter + slot};
}

ControlBox placedBox(const layout::Row& row, float left, float bottom)
{
    return ControlBox{{left + row.origin[0], bottom + row.origin[1], row.origin[2]},
                      {row.size[0], row.size[1], row.size[2]},
                      {left + row.centre[0], bottom + row.centre[1], row.centre[2]}};
}

}  // namespace

GUImachine::GUImachine(VSTGL_Editor& owner, const EditorModel& editorModel, HostEdits& edits, PresetBrowser& presets,
                       EditorScale& scale, ShaderSet& programs)
    : VSTGL_GUIbuild(owner), model(editorModel), hostEdits(edits), editorScale(scale), shaders(programs),
      sizeMenu(scale), presetMenu(presets, edits)
{
}

GUImachine::~GUImachine() = default;

void GUImachine::addBackground(int& width, int& height)
{
    TextureBank& textures = editor.resources().textures();
    const unsigned int texture = textures.getTexture(kBackgroundTexture, width, height);
    const float panelWidth = static_cast<float>(width) + 1.0f;
    const float panelHeight = static_cast<float>(height) + 1.0f;
    const ControlBox box{
        {-panelWidth / 2.0f, -panelHeight / 2.0f, -1.0f}, {panelWidth, panelHeight, 0.0f}, {0.0f, 0.0f, -1.0f}};
    addControl(std::make_unique<cPanel>(editor, *this, box, texture, width + 1, height + 1));
}

std::unique_ptr<GL_BaseControl> GUImachine::createControl(const layout::Row& row, float left, float bottom)
{
    using layout::ControlClass;
    const ControlBox box = placedBox(row, left, bottom);
    const Model3DS* shape = row.modelName != nullptr ? editor.resources().models().findModel(row.modelName) : nullptr;
    VSTGL_Editor& e = editor;
    switch (row.controlClass)
    {
    case ControlClass::Dial: return std::make_unique<cDial>(e, *this, box, shape, row.style);
    case ControlClass::PopOffDial: return std::make_unique<cPopOffDial>(e, *this, box, shape, row.style);
    case ControlClass::Slider:
        return std::make_unique<cSliderRelative>(e, *this, box, shape, row.style, layout::kSliderHandleLength);
    case ControlClass::Wheel: return std::make_unique<cWheelRelative>(e, *this, box, shape, row.style);
    case ControlClass::OnOffButton: return std::make_unique<cOnOffButton>(e, *this, box, shape, row.style);
    case ControlClass::ActiveFlashButton: return std::make_unique<cActiveFlashButton>(e, *this, box, shape, row.style);
    case ControlClass::SpectrumPanel: return std::make_unique<cSpectrumPanel>(e, *this, box, row.style, shaders, model);
    case ControlClass::StereoWidthPanel:
        return std::make_unique<cStereoWidthPanel>(e, *this, box, row.style, shaders, model);
    case ControlClass::Equaliser: return std::make_unique<cEqualiser>(e, *this, box, row.style, shaders, model);
    case ControlClass::CurveDisplay: return std::make_unique<CurveDisplay>(e, *this, box, row.style, shaders, model);
    case ControlClass::SizeMenu:
        return std::make_unique<cListMenu>(e, *this, box, row.style, valueFont, kSizeListWidth, sizeMenu);
    case ControlClass::PresetMenu:
    {
        auto menu = std::make_unique<cListMenu>(e, *this, box, row.style, valueFont, kPresetListWidth, presetMenu);
        presetMenuControl = menu.get();
        return menu;
    }
    case ControlClass::Panel: return nullptr;  // the background, added with its picture's size
    }
    return nullptr;
}

void GUImachine::buildGui(const std::string& valueFontName)
{
    valueFont = valueFontName;
    preferences = std::make_unique<platform::PreferenceStore>();
    scopePreference = std::make_unique<platform::PreferenceStore>(platform::PreferenceStore::kScopeView);
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
            control.bind(slotTarget(row, slot), layout::slotDefault(row, slot));
        for (int axis = 0; axis < 3; ++axis)
            control.labelOffset[axis] = row.labelOffset[axis];
        if (row.helpText != nullptr)
            control.help =
                std::make_unique<HelpRecord>(HelpRecord{row.helpText,
                                                        {left + row.helpAnchor[0], bottom + row.helpAnchor[1]},
                                                        {row.helpExtent[0], row.helpExtent[1]}});
        if (row.command == EditorCommand::Info)
            readInfoPreference(control);
        if (row.command == EditorCommand::ScopeView)
            readScopePreference(control);
        if (layout::valueDisplayKind(row) == kDisplayShapeCurve)
            curveDisplay = createControl(layout::curveDisplayRow(), left, bottom);
    }
    for (int index = 0; index < kNumParameters; ++index)
        parameterChanged(index, model.value(index));
}

void GUImachine::readInfoPreference(GL_BaseControl& infoSwitch)
{
    int preference = preferences->readPref();
    if (preference < 0)
        preference = 1;
    infoSwitch.setValue(0, static_cast<float>(preference));
    infoPanels = preference != 0;
    preferences->writePref(preference);
}

// The design's view unless the user chose the Scope; nothing is written until they choose.
void GUImachine::readScopePreference(GL_BaseControl& panel)
{
    panel.setValue(0, scopePreference->readPref() == 1 ? 1.0f : 0.0f);
}

void GUImachine::beginGesture(const SlotTarget& target)
{
    if (target.kind == SlotTarget::Kind::Parameter)
        hostEdits.begin(target.index);
}

void GUImachine::valueChanged(const SlotTarget& target, float value)
{
    if (target.kind == SlotTarget::Kind::Command)
        commandChanged(static_cast<EditorCommand>(target.index), value);
    else
        hostEdits.change(target.index, value);
}

void GUImachine::endGesture(const SlotTarget& target)
{
    if (target.kind == SlotTarget::Kind::Parameter)
        hostEdits.end(target.index);
}

void GUImachine::setCursor(platform::PointerCursor cursor)
{
    editor.requestCursor(cursor);
}

// Commands never reach the host: hosts size their parameter arrays by numParams and index
// them with what automation carries.
void GUImachine::commandChanged(EditorCommand command, float value)
{
    switch (command)
    {
    case EditorCommand::Info:
        infoPanels = value != 0.0f;
        preferences->writePref(static_cast<int>(value));
        return;
    case EditorCommand::ScopeView: scopePreference->writePref(static_cast<int>(value)); return;
    }
}

bool GUImachine::typeIntoMenu(int keyCode, char typed)
{
    if (presetMenuControl == nullptr || !presetMenuControl->isOpen() || !presetMenu.key(keyCode, typed))
        return false;
    presetMenuControl->refresh();
    return true;
}

void GUImachine::refreshMenu()
{
    if (presetMenuControl != nullptr)
        presetMenuControl->refresh();
}

bool GUImachine::presetMenuOpen() const
{
    return presetMenuControl != nullptr && presetMenuControl->isOpen();
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

void GUImachine::mouseDown(int buttons, int x, int y)
{
    hoverFrames = 0;
    VSTGL_GUIbuild::mouseDown(buttons, x, y);
}

void GUImachine::mouseMove(int buttons, int x, int y)
{
    hoverFrames = 0;
    VSTGL_GUIbuild::mouseMove(buttons, x, y);
}

void GUImachine::mouseUp(int buttons, int x, int y)
{
    hoverFrames = 0;
    VSTGL_GUIbuild::mouseUp(buttons, x, y);
}

bool GUImachine::hoverTimerRunning() const
{
    return hoveredIndex() != kNone && !infoPanels && hoverFrames < kHoverTimeoutFrames;
}

void GUImachine::placeControls()
{
    VSTGL_GUIbuild::placeControls();
    if (curveDisplay != nullptr)
        curveDisplay->place(editor.projection(), !editor.cameraStill());
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

void GUImachine::drawHover()
{
    overlayArea = ScreenRect{};
    GL_BaseControl* control = hoveredControlPointer();
    if (control == nullptr)
        return;
    ++hoverFrames;
    if (hoverFrames >= kHoverTimeoutFrames && !infoPanels)
    {
        hoverFrames = kHoverTimeoutFrames;
        dropHover();
        return;
    }
    drawValueText(*control);
    // An open menu is read, not explained: its panel would cover the choices.
    if (control->help != nullptr && infoPanels && !control->holdsPointer())
        drawInformationPanel(*control->help);
}

void GUImachine::drawValueText(GL_BaseControl& control)
{
    GuiResources& resources = editor.resources();
    resources.setPerspectiveView();
    const float label[3] = {control.labelAnchor[0] + control.labelOffset[0],
                            control.labelAnchor[1] + control.labelOffset[1],
                            control.labelAnchor[2] + control.labelOffset[2]};
    float x = 0.0f;
    float y = 0.0f;
    if (!editor.projection().toWindow(label, x, y))
        return;
    const int index = control.firstParameter();
    const int kind = displayKindOfParameter(index);
    if (kind == kDisplayShapeCurve && curveDisplay != nullptr)
    {
        curveDisplay->draw();
        overlayArea.unite(curveDisplay->reachRect());
    }
    // The wordmark names the preset in use; its open menu does already.
    const bool presetName = &control == presetMenuControl;
    if (presetName && control.holdsPointer())
        return;
    // What the engine makes of the stored value, however far out a host or chunk put it.
    const std::string text = presetName
                                 ? presetMenu.title()
                                 : formatValueText(kind, displayValueFor(index, engineValue(model.value(index))));
    if (text.empty())
        return;
    FontBank& fonts = resources.fonts();
    fonts.selectFont(valueFont);
    fonts.beginText();
    editor.windowToOverlay(x, y);
    fonts.drawText(text, x, y + kValueTextLift, &overlay_colours::kText, &overlay_colours::kFrame,
                   &overlay_colours::kBox, kValueTextMode);
    fonts.endText();
}

void GUImachine::drawInformationPanel(const HelpRecord& help)
{
    GuiResources& resources = editor.resources();
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
    shaders.use(ShaderSet::Program::Texture2D);
    shaders.setInt(ShaderSet::Program::Texture2D, "texture0", 0);
    resources.bindTexture(kInfoBackTexture);
    const float toDeviceX = 2.0f / static_cast<float>(editor.editorWidth());
    const float toDeviceY = 2.0f / static_cast<float>(editor.editorHeight());
    resources.drawCenteredQuad((left + right) / 2.0f * toDeviceX, (bottom + top) / 2.0f * toDeviceY,
                               (right - left) / 2.0f * toDeviceX, (top - bottom) / 2.0f * toDeviceY, 0.0f, 1.0f, 1.0f,
                               0.0f);
    ShaderSet::useNone();
    overlayArea.unite(editor.overlayToWindow(left, bottom, right, top));

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
