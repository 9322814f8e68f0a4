#include "Vst3ComponentHandler.h"

struct Vst3ComponentHandler::Entries
{
    static Vst3ComponentHandler& handlerOf(void* self)
    {
        return objectOf<Vst3ComponentHandler, vst3::IComponentHandler>(self);
    }

    static vst3::tresult beginEdit(void* self, vst3::ParamId id) { return handlerOf(self).beginEdit(id); }

    static vst3::tresult performEdit(void* self, vst3::ParamId id, vst3::ParamValue value)
    {
        return handlerOf(self).performEdit(id, value);
    }

    static vst3::tresult endEdit(void* self, vst3::ParamId id) { return handlerOf(self).endEdit(id); }

    static vst3::tresult restartComponent(void* self, std::int32_t flags)
    {
        return handlerOf(self).restartComponent(flags);
    }

    static constexpr vst3::IComponentHandlerVtable kVtable{unknownMethods<vst3::IComponentHandler>(), beginEdit,
                                                           performEdit, endEdit, restartComponent};
};

Vst3ComponentHandler::Vst3ComponentHandler() : offered{{&Entries::kVtable}, this} {}

Vst3ComponentHandler::HostCall::HostCall(Vst3ComponentHandler& handler, const char* what)
    : handler(handler), outer(handler.hostCall)
{
    handler.hostCall = what;
}

Vst3ComponentHandler::HostCall::~HostCall()
{
    handler.hostCall = outer;
}

bool Vst3ComponentHandler::checkCall(const char* what)
{
    if (!checkOwnThread(what))
        return false;
    if (hostCall != nullptr)
    {
        reentries.push_back(std::string(what) + " inside " + hostCall);
        markMisuse(reentries.back().c_str());
    }
    return true;
}

void* Vst3ComponentHandler::interfaceFor(const vst3::Tuid& iid)
{
    return iid == vst3::kIComponentHandlerIid ? &offered.view : nullptr;
}

vst3::tresult Vst3ComponentHandler::beginEdit(vst3::ParamId id)
{
    if (!checkCall("IComponentHandler::beginEdit"))
        return vst3::kResultFalse;
    if (!openEdits.insert(id).second)
        markMisuse("IComponentHandler::beginEdit of a parameter already being edited");
    editList.push_back({EditStep::begin, id, 0.0});
    return vst3::kResultOk;
}

vst3::tresult Vst3ComponentHandler::performEdit(vst3::ParamId id, vst3::ParamValue value)
{
    if (!checkCall("IComponentHandler::performEdit"))
        return vst3::kResultFalse;
    if (openEdits.count(id) == 0)
        markMisuse("IComponentHandler::performEdit outside beginEdit and endEdit");
    editList.push_back({EditStep::perform, id, value});
    return vst3::kResultOk;
}

vst3::tresult Vst3ComponentHandler::endEdit(vst3::ParamId id)
{
    if (!checkCall("IComponentHandler::endEdit"))
        return vst3::kResultFalse;
    if (openEdits.erase(id) == 0)
        markMisuse("IComponentHandler::endEdit without beginEdit");
    editList.push_back({EditStep::end, id, 0.0});
    return vst3::kResultOk;
}

vst3::tresult Vst3ComponentHandler::restartComponent(std::int32_t flags)
{
    if (!checkCall("IComponentHandler::restartComponent"))
        return vst3::kResultFalse;
    restarts.push_back(flags);
    return vst3::kResultOk;
}
