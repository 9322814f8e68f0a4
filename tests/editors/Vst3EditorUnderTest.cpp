#include "Vst3EditorUnderTest.h"

#include <gtest/gtest.h>

Vst3EditorUnderTest::Vst3EditorUnderTest() : instance(createdEffect())
{
    if (instance == nullptr)
        return;
    plugView = instance->controller()->vtable->createView(instance->controller(), vst3::kViewTypeEditor);
    if (plugView != nullptr && plugView->vtable->setFrame(plugView, frame.frame()) != vst3::kResultOk)
        releaseView();
}

Vst3EditorUnderTest::~Vst3EditorUnderTest()
{
    if (plugView != nullptr)
    {
        plugView->vtable->removed(plugView);
        releaseView();
    }
}

void Vst3EditorUnderTest::releaseView()
{
    plugView->vtable->setFrame(plugView, nullptr);
    vst3::release(plugView);
    plugView = nullptr;
}

bool Vst3EditorUnderTest::open(void* parent)
{
    return plugView->vtable->attached(plugView, parent, kPlatformType) == vst3::kResultOk;
}

void Vst3EditorUnderTest::close()
{
    plugView->vtable->removed(plugView);
}

void Vst3EditorUnderTest::turnLoop()
{
    loop.pump(0);
}

std::optional<EditorSize> Vst3EditorUnderTest::size()
{
    vst3::ViewRect rect{};
    if (plugView->vtable->getSize(plugView, &rect) != vst3::kResultOk)
        return std::nullopt;
    return EditorSize{rect.right - rect.left, rect.bottom - rect.top};
}

bool Vst3EditorUnderTest::setScale(double factor)
{
    auto* scale =
        vst3::queryInterface<vst3::IPlugViewContentScaleSupport>(plugView, vst3::kIPlugViewContentScaleSupportIid);
    if (scale == nullptr)
        return false;
    const bool taken = scale->vtable->setContentScaleFactor(scale, static_cast<float>(factor)) == vst3::kResultOk;
    vst3::release(scale);
    return taken;
}

std::vector<EditorSize> Vst3EditorUnderTest::sizeRequests()
{
    std::vector<EditorSize> sizes;
    for (const vst3::ViewRect& rect : frame.resizeRequests())
        sizes.push_back({rect.right - rect.left, rect.bottom - rect.top});
    return sizes;
}

std::vector<HostEdit> Vst3EditorUnderTest::edits()
{
    std::vector<HostEdit> edits;
    for (const auto& edit : instance->componentHandler().edits())
    {
        const HostEdit::Step step = edit.step == Vst3ComponentHandler::EditStep::begin ? HostEdit::Step::begin
                                    : edit.step == Vst3ComponentHandler::EditStep::end ? HostEdit::Step::end
                                                                                       : HostEdit::Step::value;
        edits.push_back({step, static_cast<int>(edit.id), edit.value});
    }
    return edits;
}

double Vst3EditorUnderTest::value(int parameter)
{
    return instance->controller()->vtable->getParamNormalized(instance->controller(),
                                                              static_cast<vst3::ParamId>(parameter));
}

std::size_t Vst3EditorUnderTest::loopEntries()
{
    return loop.timerCount() + loop.watchCount();
}

int Vst3EditorUnderTest::misuses()
{
    const int handler = instance != nullptr ? instance->componentHandler().misuses() : 0;
    return frame.misuses() + loop.misuses() + handler;
}

std::unique_ptr<FormatEditor> makeVst3Editor()
{
    auto editor = std::make_unique<Vst3EditorUnderTest>();
    if (editor->view() == nullptr)
        return nullptr;
    return editor;
}
