#include "Vst3PluginInstance.h"

Vst3PluginInstance::Vst3PluginInstance(const Vst3Module& module, const vst3::Tuid& classId)
{
    if (!module.loaded())
    {
        createError = module.error();
        return;
    }
    if (!createComponent(module, classId) || !createController(module))
        return;
    if (controllerPart != nullptr)
        controllerPart->vtable->setComponentHandler(controllerPart, handler.handler());
}

bool Vst3PluginInstance::createComponent(const Vst3Module& module, const vst3::Tuid& classId)
{
    componentPart = static_cast<vst3::IComponent*>(module.createInstance(classId, vst3::kIComponentIid));
    if (componentPart == nullptr)
    {
        createError = "the factory made no component of the class";
        return false;
    }
    // A class that fails initialize is released without terminate.
    if (componentPart->vtable->pluginBase.initialize(componentPart, module.hostContext().context()) != vst3::kResultOk)
    {
        vst3::release(componentPart);
        componentPart = nullptr;
        createError = "the component refused to initialise";
        return false;
    }
    audioProcessor = vst3::queryInterface<vst3::IAudioProcessor>(componentPart, vst3::kIAudioProcessorIid);
    if (audioProcessor == nullptr)
        createError = "the component has no audio processor";
    return audioProcessor != nullptr;
}

bool Vst3PluginInstance::createController(const Vst3Module& module)
{
    controllerPart = vst3::queryInterface<vst3::IEditController>(componentPart, vst3::kIEditControllerIid);
    singleComponent = controllerPart != nullptr;
    vst3::Tuid controllerClass{};
    if (singleComponent ||
        componentPart->vtable->getControllerClassId(componentPart, &controllerClass) != vst3::kResultOk)
        return true;
    controllerPart =
        static_cast<vst3::IEditController*>(module.createInstance(controllerClass, vst3::kIEditControllerIid));
    if (controllerPart == nullptr)
    {
        createError = "the factory made no controller of the class the component names";
        return false;
    }
    if (controllerPart->vtable->pluginBase.initialize(controllerPart, module.hostContext().context()) ==
        vst3::kResultOk)
        return true;
    vst3::release(controllerPart);
    controllerPart = nullptr;
    createError = "the controller refused to initialise";
    return false;
}

vst3::tresult Vst3PluginInstance::setState(vst3::IBStream* stream)
{
    const Vst3ComponentHandler::HostCall inside(handler, "IComponent::setState");
    return componentPart->vtable->setState(componentPart, stream);
}

vst3::tresult Vst3PluginInstance::setComponentState(vst3::IBStream* stream)
{
    if (controllerPart == nullptr)
        return vst3::kNoInterface;
    const Vst3ComponentHandler::HostCall inside(handler, "IEditController::setComponentState");
    return controllerPart->vtable->setComponentState(controllerPart, stream);
}

Vst3PluginInstance::~Vst3PluginInstance()
{
    if (controllerPart != nullptr)
    {
        controllerPart->vtable->setComponentHandler(controllerPart, nullptr);
        if (!singleComponent)
            controllerPart->vtable->pluginBase.terminate(controllerPart);
        vst3::release(controllerPart);
    }
    if (audioProcessor != nullptr)
        vst3::release(audioProcessor);
    if (componentPart != nullptr)
    {
        componentPart->vtable->pluginBase.terminate(componentPart);
        vst3::release(componentPart);
    }
}
