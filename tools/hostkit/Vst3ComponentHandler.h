#pragma once

#include "Vst3HostObject.h"
#include "vst3/Vst3EditController.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The host's side of a controller's edits (IComponentHandler), recording each edit and
// restart request for a test to check. They belong on the UI thread, the one that made the
// handler: a call from elsewhere is refused. An edit of a parameter outside its beginEdit and
// endEdit, or a begin or end out of turn, is recorded and counted as misuse. So is any call
// that arrives while the host is inside a call of its own that must not be answered by a call
// back, such as a state load (hosts hold locks there: Ardour waits for good).
class Vst3ComponentHandler : public Vst3HostObject
{
public:
    enum class EditStep
    {
        begin,
        perform,
        end,
    };

    struct Edit
    {
        EditStep step;
        vst3::ParamId id;
        vst3::ParamValue value;  // 0 for begin and end

        bool operator==(const Edit&) const = default;
    };

    // The host's call `what` into the plug-in, from construction to destruction.
    class HostCall
    {
    public:
        HostCall(Vst3ComponentHandler& handler, const char* what);
        ~HostCall();
        HostCall(const HostCall&) = delete;
        HostCall& operator=(const HostCall&) = delete;

    private:
        Vst3ComponentHandler& handler;
        const char* outer;
    };

    Vst3ComponentHandler();

    vst3::IComponentHandler* handler() { return &offered.view; }
    const std::vector<Edit>& edits() const { return editList; }
    const std::vector<std::int32_t>& restartRequests() const { return restarts; }
    // Each call that came back inside a HostCall: "<method> inside <host call>".
    const std::vector<std::string>& reentrantCalls() const { return reentries; }

    vst3::tresult beginEdit(vst3::ParamId id);
    vst3::tresult performEdit(vst3::ParamId id, vst3::ParamValue value);
    vst3::tresult endEdit(vst3::ParamId id);
    vst3::tresult restartComponent(std::int32_t flags);

private:
    struct Entries;

    void* primaryInterface() override { return &offered.view; }
    void* interfaceFor(const vst3::Tuid& iid) override;
    // False, with the misuse marked, when the call `what` comes off the UI thread; a call
    // inside a HostCall is recorded, and marked, but taken.
    bool checkCall(const char* what);

    std::vector<Edit> editList;
    std::vector<std::int32_t> restarts;
    std::set<vst3::ParamId> openEdits;  // begun and not yet ended
    std::vector<std::string> reentries;
    const char* hostCall = nullptr;  // the HostCall under way, if any
    Offered<vst3::IComponentHandler> offered;
};
