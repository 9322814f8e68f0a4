#pragma once

#include "engine/EngineDisplays.h"
#include "lv2shell/Lv2InstanceAccess.h"

#include <memory>
#include <string>
#include <vector>

// The DSP instance as the UI binary reaches it through instance-access: what it publishes for
// the live displays, copied at each idle call into displays of the UI's own that the editor
// reads as it would an engine's, and the program's name.
//
// Threads: the host's UI thread only.
class Lv2InstanceFeed
{
public:
    // Null unless `handle` starts with an access record of exactly this build's size and
    // version, of this product: a UI of another build leaves the displays quiet rather
    // than read a layout it does not know.
    static std::unique_ptr<Lv2InstanceFeed> accept(const void* handle);
    ~Lv2InstanceFeed();
    Lv2InstanceFeed(const Lv2InstanceFeed&) = delete;
    Lv2InstanceFeed& operator=(const Lv2InstanceFeed&) = delete;

    EngineDisplays& displays() { return mirror; }
    // Before each frame: tells the instance whether the editor shows its displays, and
    // while it does, takes what the instance published since.
    void pull();

    std::string programName();
    void renameProgram(const std::string& name);

private:
    explicit Lv2InstanceFeed(const Lv2InstanceAccess& record);
    void pullStereoImage();

    const Lv2InstanceAccess access;
    EngineDisplays mirror;
    bool wantedSent = false;
    std::vector<float> inputPoints;
    std::vector<float> outputPoints;
};
