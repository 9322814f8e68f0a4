#pragma once

#include "ClapTestSupport.h"
#include "FormatEditor.h"

#include <memory>

// The CLAP editor through the gui extension: created on the first opening, given its parent
// and shown; the host's loop turns its timers, descriptor watch and requested callbacks.
// A processing host hears of edits through each process call's output events; an inactive
// one through the flushes the plug-in asks for.
class ClapEditorUnderTest : public FormatEditor
{
public:
    enum class Host
    {
        processing,
        inactive,
    };

    // The plug-in is null (and the test failed) when it cannot be made or started.
    explicit ClapEditorUnderTest(Host kind);

    ClapPluginInstance* plugin() const { return instance.get(); }

    bool open(void* parent) override;
    void close() override;
    void turnLoop() override;
    std::optional<EditorSize> size() override;
    bool setScale(double factor) override;
    double value(int parameter) override;
    std::size_t loopEntries() override;
    int misuses() override;
    // How many flushes the plug-in asked for.
    int flushRequests();

private:
    void collectSent();

    std::unique_ptr<ClapPluginInstance> instance;
    Host host;
    bool created = false;
    int flushesServed = 0;
};
