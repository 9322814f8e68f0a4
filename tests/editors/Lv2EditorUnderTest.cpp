#include "Lv2EditorUnderTest.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/instance-access/instance-access.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace
{

// The UI binary the bundle's description names, loaded once.
const LV2UI_Descriptor* uiDescriptor()
{
    static const LV2UI_Descriptor* descriptor = []() -> const LV2UI_Descriptor*
    {
        Lv2BundleWorld& world = lv2Bundle();
        if (world.plugin() == nullptr)
            return nullptr;
        LilvUIs* uis = lilv_plugin_get_uis(world.plugin());
        const LilvUI* ui = uis != nullptr ? lilv_uis_get(uis, lilv_uis_begin(uis)) : nullptr;
        if (ui == nullptr || !lilv_ui_is_a(ui, world.uri(LV2_UI__X11UI)))
            return nullptr;
        char* path = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
        void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        lilv_free(path);
        auto entry = library != nullptr ? reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"))
                                        : nullptr;
        return entry != nullptr ? entry(0) : nullptr;
    }();
    return descriptor;
}

}  // namespace

Lv2EditorUnderTest::Lv2EditorUnderTest()
{
    if (uiDescriptor() == nullptr)
    {
        ADD_FAILURE() << "no X11 UI binary in the bundle";
        return;
    }
    instance = std::make_unique<Lv2Instance>(48000.0);
    if (!instance->created())
    {
        ADD_FAILURE() << "lilv made no DSP instance";
        instance.reset();
    }
}

Lv2EditorUnderTest::~Lv2EditorUnderTest()
{
    close();
}

bool Lv2EditorUnderTest::open(void* parent)
{
    Lv2UridMap& urids = lv2Bundle().urids();
    options[0] = {LV2_OPTIONS_INSTANCE, 0, urids.map(LV2_UI__scaleFactor), sizeof(float), urids.map(LV2_ATOM__Float),
                  &scale};
    options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
    touchData = {this, [](LV2UI_Feature_Handle self, std::uint32_t port, bool grabbed)
                 {
                     const HostEdit::Step step = grabbed ? HostEdit::Step::begin : HostEdit::Step::end;
                     static_cast<Lv2EditorUnderTest*>(self)->heard.push_back({step, static_cast<int>(port), 0.0});
                 }};
    resizeData = {this, [](LV2UI_Feature_Handle self, int width, int height)
                  {
                      static_cast<Lv2EditorUnderTest*>(self)->requestedSizes.push_back({width, height});
                      return 0;
                  }};
    featureRecords = {
        {LV2_UI__parent, parent},
        {LV2_URID__map, urids.mapFeature()},
        {LV2_UI__touch, &touchData},
        {LV2_UI__resize, &resizeData},
        {LV2_OPTIONS__options, options},
        {LV2_INSTANCE_ACCESS_URI, instanceHandle()},
    };
    std::vector<const LV2_Feature*> features;
    for (const LV2_Feature& feature : featureRecords)
    {
        const bool offeredNow = (parent != nullptr || feature.URI != std::string(LV2_UI__parent)) &&
                                (offered != Access::withheld || feature.URI != std::string(LV2_INSTANCE_ACCESS_URI)) &&
                                (scale > 0.0f || feature.URI != std::string(LV2_OPTIONS__options));
        if (offeredNow)
            features.push_back(&feature);
    }
    features.push_back(nullptr);
    const std::string bundle = std::filesystem::path(std::getenv("VANTOR_LV2_BUNDLE")).string() + "/";
    ui = uiDescriptor()->instantiate(
        uiDescriptor(), kLv2PluginUri, bundle.c_str(),
        [](LV2UI_Controller self, std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* buffer)
        {
            if (format != 0 || size != sizeof(float))
                return;
            auto* editor = static_cast<Lv2EditorUnderTest*>(self);
            const float value = *static_cast<const float*>(buffer);
            editor->heard.push_back({HostEdit::Step::value, static_cast<int>(port), value});
            if (editor->instance != nullptr)
                editor->instance->control(port) = value;
        },
        this, &uiWidget, features.data());
    if (ui == nullptr)
        return false;
    idle = static_cast<const LV2UI_Idle_Interface*>(uiDescriptor()->extension_data(LV2_UI__idleInterface));
    // Hosts send every control port's value once the UI is made.
    for (std::uint32_t port = 0; port < kParameterPorts; ++port)
        portEvent(port, instance->control(port));
    return idle != nullptr;
}

void* Lv2EditorUnderTest::instanceHandle()
{
    void* own = lilv_instance_get_handle(instance->lilvInstance());
    if (offered != Access::otherVersion && offered != Access::otherSize)
        return offered == Access::foreign ? foreignInstance.data() : own;
    Lv2InstanceAccess record;
    std::memcpy(&record, own, sizeof record);
    if (offered == Access::otherVersion)
        ++record.version;
    else
        record.structSize += 8;
    std::memcpy(otherBuild.data(), &record, sizeof record);
    return otherBuild.data();
}

void Lv2EditorUnderTest::close()
{
    if (ui != nullptr)
        uiDescriptor()->cleanup(ui);
    ui = nullptr;
    uiWidget = nullptr;
    closedItself = false;
}

void Lv2EditorUnderTest::portEvent(std::uint32_t port, float value)
{
    if (instance != nullptr)
        instance->control(port) = value;
    uiDescriptor()->port_event(ui, port, sizeof(float), 0, &value);
}

void Lv2EditorUnderTest::turnLoop()
{
    if (playing && instance != nullptr)
    {
        StereoSignal block = stereoNoise(1024, 0.5f);
        instance->render(block, {1024});
    }
    // A UI that answers it was closed (its window gone) is idled no more, as hosts do.
    if (ui != nullptr && !closedItself)
        closedItself = idle->idle(ui) != 0;
}

std::optional<EditorSize> Lv2EditorUnderTest::size()
{
    if (requestedSizes.empty())
        return std::nullopt;
    return requestedSizes.back();
}

bool Lv2EditorUnderTest::setScale(double factor)
{
    if (ui != nullptr || !(factor > 0.0))
        return false;
    scale = static_cast<float>(factor);
    return true;
}

std::unique_ptr<FormatEditor> makeLv2Editor()
{
    auto editor = std::make_unique<Lv2EditorUnderTest>();
    if (editor->dsp() == nullptr)
        return nullptr;
    return editor;
}
