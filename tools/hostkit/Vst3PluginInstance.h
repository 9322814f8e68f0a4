#pragma once

#include "Vst3ComponentHandler.h"
#include "Vst3Module.h"
#include "vst3/Vst3Abi.h"

#include <string>

// One effect made from a class of a Vst3Module as a host makes it: the component created and
// initialised with the module's host context, its audio processor, and its edit controller,
// which is the component itself when it answers for IEditController (a single-component
// effect), else the class getControllerClassId names, created and initialised in turn; the
// controller gets this instance's component handler. The destructor undoes it all in reverse.
// Joining separate halves through their connection points is left out. The thread that
// makes the instance is its UI thread.
class Vst3PluginInstance
{
public:
    Vst3PluginInstance(const Vst3Module& module, const vst3::Tuid& classId);
    ~Vst3PluginInstance();
    Vst3PluginInstance(const Vst3PluginInstance&) = delete;
    Vst3PluginInstance& operator=(const Vst3PluginInstance&) = delete;

    // A component with an audio processor; the controller is null when the class names none.
    bool created() const { return audioProcessor != nullptr && createError.empty(); }
    const std::string& error() const { return createError; }
    vst3::IComponent* component() const { return componentPart; }
    vst3::IAudioProcessor* processor() const { return audioProcessor; }
    vst3::IEditController* controller() const { return controllerPart; }
    bool isSingleComponent() const { return singleComponent; }
    Vst3ComponentHandler& componentHandler() { return handler; }

    // A state or preset load as a host makes it (IComponent::setState, then
    // IEditController::setComponentState): the handler records any call back from inside.
    vst3::tresult setState(vst3::IBStream* stream);
    vst3::tresult setComponentState(vst3::IBStream* stream);

private:
    bool createComponent(const Vst3Module& module, const vst3::Tuid& classId);
    bool createController(const Vst3Module& module);

    Vst3ComponentHandler handler;
    std::string createError;
    vst3::IComponent* componentPart = nullptr;
    vst3::IAudioProcessor* audioProcessor = nullptr;
    vst3::IEditController* controllerPart = nullptr;
    bool singleComponent = false;
};
