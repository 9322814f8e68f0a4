#pragma once

#include "FormatEditor.h"
#include "lv2/Lv2TestHost.h"
#include "lv2shell/Lv2InstanceAccess.h"

#include <lv2/options/options.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>
#include <vector>

// The LV2 UI binary the bundle's description names, in a small host of lilv's kind: each
// opening instantiates the UI with the features hosts give (parent, touch, resize, options,
// instance-access to a DSP instance lilv made), each closing cleans it up. Touches are a
// gesture's begin and end, port writes its values, which the host also puts in its ports.
class Lv2EditorUnderTest : public FormatEditor
{
public:
    // What the host hands as instance-access: the DSP instance, nothing, the handle of
    // something else (another plug-in's), or the DSP instance's record as another build of
    // it would lay it out (another version, another size).
    enum class Access
    {
        own,
        withheld,
        foreign,
        otherVersion,
        otherSize,
    };

    // The DSP instance is null (and the test failed) when the bundle holds no X11 UI.
    Lv2EditorUnderTest();
    ~Lv2EditorUnderTest() override;

    // What the next openings offer as instance-access.
    void offerAccess(Access access) { offered = access; }
    // Whether the DSP instance runs a block of noise before each idle call.
    void play(bool noise) { playing = noise; }
    // The DSP instance; a test may free it while the UI is open.
    std::unique_ptr<Lv2Instance>& dsp() { return instance; }
    LV2UI_Widget widget() const { return uiWidget; }
    // A control port's new value, as the host tells the UI.
    void portEvent(std::uint32_t port, float value);

    // Without a parent (null), the UI is made without the parent feature.
    bool open(void* parent) override;
    void close() override;
    void turnLoop() override;
    std::optional<EditorSize> size() override;
    bool setScale(double factor) override;
    double value(int parameter) override { return instance->control(static_cast<std::uint32_t>(parameter)); }

private:
    void* instanceHandle();

    std::unique_ptr<Lv2Instance> instance;
    Access offered = Access::own;
    bool playing = false;
    float scale = 0.0f;
    LV2UI_Handle ui = nullptr;
    LV2UI_Widget uiWidget = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    bool closedItself = false;
    LV2_Options_Option options[2]{};
    LV2UI_Touch touchData{};
    LV2UI_Resize resizeData{};
    std::vector<LV2_Feature> featureRecords;
    std::vector<char> foreignInstance = std::vector<char>(sizeof(Lv2InstanceAccess) + 64, 'x');
    std::vector<char> otherBuild = std::vector<char>(sizeof(Lv2InstanceAccess) + 64);
};
