#pragma once

#include "FormatEditor.h"
#include "Vst3PlugFrame.h"
#include "Vst3TestSupport.h"

#include <memory>

// The VST3 editor through IPlugView: the view made by the effect's controller with the host's
// plug frame, attached to the host's window with this platform's type, removed, and driven on
// Linux by the host's run loop. Edits reach the controller's component handler.
class Vst3EditorUnderTest : public FormatEditor
{
public:
    // This platform's window type, and the other one, which the view must refuse.
#if defined(_WIN32)
    static constexpr const char* kPlatformType = vst3::kPlatformTypeHwnd;
    static constexpr const char* kOtherPlatformType = vst3::kPlatformTypeX11EmbedWindowId;
#else
    static constexpr const char* kPlatformType = vst3::kPlatformTypeX11EmbedWindowId;
    static constexpr const char* kOtherPlatformType = vst3::kPlatformTypeHwnd;
#endif

    // The effect and view are null (and the test failed) when they cannot be made.
    Vst3EditorUnderTest();
    ~Vst3EditorUnderTest() override;

    vst3::IPlugView* view() const { return plugView; }
    std::unique_ptr<Vst3PluginInstance>& effect() { return instance; }
    // Releases the view now, as a host that kept it past the effect finally does.
    void releaseView();

    bool open(void* parent) override;
    void close() override;
    void turnLoop() override;
    std::optional<EditorSize> size() override;
    bool setScale(double factor) override;
    std::vector<EditorSize> sizeRequests() override;
    std::vector<HostEdit> edits() override;
    double value(int parameter) override;
    std::size_t loopEntries() override;
    int misuses() override;

private:
    Vst3RunLoop& loop = vst3RunLoop();
    Vst3PlugFrame frame{loop};
    std::unique_ptr<Vst3PluginInstance> instance;
    vst3::IPlugView* plugView = nullptr;
};
