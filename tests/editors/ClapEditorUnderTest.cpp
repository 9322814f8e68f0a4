#include "ClapEditorUnderTest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

ClapEditorUnderTest::ClapEditorUnderTest(Host kind)
    : instance(kind == Host::processing ? processingPlugin(48000.0, 64) : initialisedPlugin()), host(kind)
{
}

bool ClapEditorUnderTest::open(void* parent)
{
    if (!created)
        created = instance->guiCreate();
    return created && instance->guiSetParent(reinterpret_cast<std::uintptr_t>(parent)) && instance->guiShow();
}

void ClapEditorUnderTest::close()
{
    instance->guiDestroy();
    created = false;
}

void ClapEditorUnderTest::turnLoop()
{
    ClapHost& clapHost = instance->host();
    clapHost.runRequestedCallback();
    clapHost.fireDueTimers();
    clapHost.pollFds(0);
    if (host == Host::processing)
    {
        float left[64] = {};
        float right[64] = {};
        float* channels[2] = {left, right};
        instance->process(channels, channels, 64);
        collectSent();
    }
    else if (clapHost.flushRequests() != flushesServed)
    {
        flushesServed = clapHost.flushRequests();
        instance->flushParams();
        collectSent();
    }
    // The kit keeps the count and the last size: several in one turn read as that size.
    while (static_cast<int>(requestedSizes.size()) < clapHost.resizeRequests())
    {
        requestedSizes.push_back({static_cast<int>(clapHost.lastRequestedWidth()),
                                  static_cast<int>(clapHost.lastRequestedHeight())});
    }
}

void ClapEditorUnderTest::collectSent()
{
    for (const ClapParamEvent& event : instance->outputEvents().paramEvents())
    {
        if (event.type != clap::kEventParamGestureBegin && event.type != clap::kEventParamGestureEnd &&
            event.type != clap::kEventParamValue)
        {
            ADD_FAILURE() << "an edit of event type " << event.type;
            continue;
        }
        const HostEdit::Step step = event.type == clap::kEventParamGestureBegin ? HostEdit::Step::begin
                                    : event.type == clap::kEventParamGestureEnd ? HostEdit::Step::end
                                                                                : HostEdit::Step::value;
        heard.push_back({step, static_cast<int>(event.paramId), event.value});
    }
}

std::optional<EditorSize> ClapEditorUnderTest::size()
{
    const auto size = instance->guiSize();
    if (!size)
        return std::nullopt;
    return EditorSize{static_cast<int>(size->width), static_cast<int>(size->height)};
}

bool ClapEditorUnderTest::setScale(double factor)
{
    if (!created)
        created = instance->guiCreate();
    return instance->guiSetScale(factor);
}

double ClapEditorUnderTest::value(int parameter)
{
    return instance->paramValue(static_cast<clap::Id>(parameter)).value_or(std::numeric_limits<double>::quiet_NaN());
}

std::size_t ClapEditorUnderTest::loopEntries()
{
    return instance->host().timerIds().size() + instance->host().watchedFds().size();
}

int ClapEditorUnderTest::misuses()
{
    return instance->host().misuses();
}

int ClapEditorUnderTest::flushRequests()
{
    return instance->host().flushRequests();
}

std::unique_ptr<FormatEditor> makeClapEditor()
{
    auto editor = std::make_unique<ClapEditorUnderTest>(ClapEditorUnderTest::Host::processing);
    if (editor->plugin() == nullptr)
        return nullptr;
    return editor;
}
