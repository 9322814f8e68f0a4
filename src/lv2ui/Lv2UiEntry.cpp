// The C side of the LV2 UI binary: the exported descriptor and its calls, each a thin call
// into Lv2EditorUi. No exception ever crosses into the host.
#include "identity/EffectIdentity.h"
#include "lv2shell/Lv2PluginFacts.h"
#include "lv2ui/Lv2EditorUi.h"

#include <lv2/ui/ui.h>

#include <cstring>
#include <exception>
#include <string>

namespace
{

const std::string& uiUri()
{
    static const std::string uri = std::string(kEffectIdentity.lv2Uri) + lv2_facts::kUiUriFragment;
    return uri;
}

Lv2EditorUi& uiOf(LV2UI_Handle handle)
{
    return *static_cast<Lv2EditorUi*>(handle);
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char* bundlePath,
                         LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features)
{
    if (pluginUri == nullptr || std::strcmp(pluginUri, kEffectIdentity.lv2Uri) != 0 || bundlePath == nullptr ||
        widget == nullptr)
        return nullptr;
    try
    {
        std::unique_ptr<Lv2EditorUi> ui = Lv2EditorUi::create(bundlePath, write, controller, features);
        if (!ui)
            return nullptr;
        *widget = ui->widget();
        return ui.release();
    }
    catch (const std::exception&)
    {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle)
{
    delete static_cast<Lv2EditorUi*>(handle);
}

void portEvent(LV2UI_Handle handle, std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format,
               const void* buffer)
{
    uiOf(handle).portEvent(port, bufferSize, format, buffer);
}

int idle(LV2UI_Handle handle)
{
    try
    {
        return uiOf(handle).idle();
    }
    catch (const std::exception&)
    {
        return 1;
    }
}

const LV2UI_Idle_Interface kIdle{idle};

const void* extensionData(const char* uri)
{
    if (uri != nullptr && std::strcmp(uri, LV2_UI__idleInterface) == 0)
        return &kIdle;
    return nullptr;
}

}  // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(std::uint32_t index)
{
    static const LV2UI_Descriptor descriptor{uiUri().c_str(), instantiate, cleanup, portEvent, extensionData};
    return index == 0 ? &descriptor : nullptr;
}
