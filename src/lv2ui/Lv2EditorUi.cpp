#include "lv2ui/Lv2EditorUi.h"

#include "editor/EffectEditor.h"
#include "lv2shell/Lv2PluginFacts.h"

#include <cmath>
#include <cstring>

std::unique_ptr<Lv2EditorUi> Lv2EditorUi::create(const std::string& bundlePath, LV2UI_Write_Function write,
                                                 LV2UI_Controller controller, const LV2_Feature* const* features)
{
    const Lv2UiHostFeatures host = Lv2UiHostFeatures::read(features);
    if (write == nullptr || host.parent == nullptr)
        return nullptr;
    std::unique_ptr<Lv2EditorUi> ui(new Lv2EditorUi(write, controller, host));
    if (!ui->open(bundlePath))
        return nullptr;
    return ui;
}

Lv2EditorUi::Lv2EditorUi(LV2UI_Write_Function write, LV2UI_Controller hostController, const Lv2UiHostFeatures& features)
    : writeFunction(write), controller(hostController), host(features),
      instance(Lv2InstanceFeed::accept(features.instance))
{
    // The host sends every port's value once the UI is made; until then the defaults.
    for (int i = 0; i < kNumParameters; ++i)
        values[static_cast<std::size_t>(i)] = kParameterTable[i].defaultValue;
}

Lv2EditorUi::~Lv2EditorUi()
{
    if (editor)
        editor->close();
}

bool Lv2EditorUi::open(const std::string& bundlePath)
{
    std::string folder = bundlePath;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    editor = std::make_unique<EffectEditor>(*this, instance != nullptr ? &instance->displays() : nullptr,
                                            folder + lv2_facts::kSkinFolderName + '/');
    if (host.scaleFactor > 0.0f)
        editor->setHostScale(host.scaleFactor);
    if (!editor->open(host.parent) || editor->nativeWindow() == nullptr)
        return false;
    const EditorView::Size size = editor->size();
    requestEditorSize(size.width, size.height);
    return true;
}

void Lv2EditorUi::portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format, const void* buffer)
{
    if (port >= static_cast<std::uint32_t>(kNumParameters) || format != 0 || bufferSize != sizeof(float) ||
        buffer == nullptr)
        return;
    float portValue = 0.0f;
    std::memcpy(&portValue, buffer, sizeof portValue);
    if (!std::isfinite(portValue))
        return;
    const int index = static_cast<int>(port);
    const float value = lv2_facts::effectValueOfPort(index, portValue);
    values[port] = value;
    editor->parameterChanged(index, value);
}

int Lv2EditorUi::idle()
{
    if (instance != nullptr)
        instance->pull();
    editor->idle();
    return editor->isOpen() ? 0 : 1;
}

float Lv2EditorUi::getParameter(int index)
{
    return isParameter(index) ? values[static_cast<std::size_t>(index)] : 0.0f;
}

// The DSP instance is reached only through its ports, so a value the editor sets reaches it
// as the host's: both kinds of edit are written to the port.
void Lv2EditorUi::setParameter(int index, float value)
{
    writePort(index, value);
}

void Lv2EditorUi::setParameterAutomated(int index, float value)
{
    writePort(index, value);
}

bool Lv2EditorUi::beginEdit(int index)
{
    touch(index, true);
    return host.touch != nullptr;
}

bool Lv2EditorUi::endEdit(int index)
{
    touch(index, false);
    return host.touch != nullptr;
}

std::string Lv2EditorUi::programName()
{
    return instance != nullptr ? instance->programName() : localProgramName;
}

void Lv2EditorUi::renameProgram(const std::string& name)
{
    if (instance != nullptr)
        instance->renameProgram(name);
    else
        localProgramName = name;
}

bool Lv2EditorUi::requestEditorSize(int width, int height)
{
    return host.resize != nullptr && host.resize->ui_resize(host.resize->handle, width, height) == 0;
}

void Lv2EditorUi::writePort(int index, float value)
{
    if (!isParameter(index) || !std::isfinite(value))
        return;
    values[static_cast<std::size_t>(index)] = value;
    const float portValue = lv2_facts::portValueOf(index, value);
    writeFunction(controller, static_cast<std::uint32_t>(index), sizeof(float), 0, &portValue);
}

void Lv2EditorUi::touch(int index, bool grabbed)
{
    if (host.touch != nullptr && isParameter(index))
        host.touch->touch(host.touch->handle, static_cast<std::uint32_t>(index), grabbed);
}
