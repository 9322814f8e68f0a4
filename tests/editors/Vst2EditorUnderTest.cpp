// The VST 2.4 editor through effEditOpen, effEditIdle and effEditClose; the host's scale comes
// as the vendor call hosts that scale their own interface make, the edits and size requests
// through the host callback.
#include "FormatEditor.h"
#include "host/PluginHost.h"

namespace
{

class Vst2EditorUnderTest : public FormatEditor
{
public:
    Vst2EditorUnderTest() { HostRecorder::instance().clear(); }

    bool open(void* parent) override { return instance.dispatch(effEditOpen, 0, 0, parent) == 1; }
    void close() override { instance.dispatch(effEditClose); }
    void turnLoop() override { instance.dispatch(effEditIdle); }

    std::optional<EditorSize> size() override
    {
        ERect* rect = nullptr;
        if (instance.dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr)
            return std::nullopt;
        return EditorSize{rect->right - rect->left, rect->bottom - rect->top};
    }

    bool setScale(double factor) override
    {
        return instance.dispatch(effVendorSpecific, fourCharCode('P', 'r', 'e', 'S'), fourCharCode('A', 'e', 'C', 's'),
                                 nullptr, static_cast<float>(factor)) == 1;
    }

    std::vector<EditorSize> sizeRequests() override
    {
        std::vector<EditorSize> sizes;
        for (const HostCall& call : HostRecorder::instance().callsFor(instance.effect(), audioMasterSizeWindow))
            sizes.push_back({call.index, static_cast<int>(call.value)});
        return sizes;
    }

    std::vector<HostEdit> edits() override { return vst2HostEdits(instance.effect()); }

    double value(int parameter) override { return instance.getParameter(parameter); }

private:
    EffectInstance instance;
};

}  // namespace

std::vector<HostEdit> vst2HostEdits(AEffect* effect)
{
    std::vector<HostEdit> edits;
    const std::vector<VstInt32> editCalls{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit};
    for (const HostCall& call : HostRecorder::instance().callsFor(effect, editCalls))
    {
        const HostEdit::Step step = call.opcode == audioMasterBeginEdit ? HostEdit::Step::begin
                                    : call.opcode == audioMasterEndEdit ? HostEdit::Step::end
                                                                        : HostEdit::Step::value;
        edits.push_back({step, call.index, call.opt});
    }
    return edits;
}

std::unique_ptr<FormatEditor> makeVst2Editor()
{
    if (!PluginModule::shared().loaded())
        return nullptr;
    return std::make_unique<Vst2EditorUnderTest>();
}
