#include "base/UserMessage.h"
#include "effect/ModuleExport.h"
#include "platform/MessageBox.h"
#include "shell/EffectVST.h"

#include <exception>

// The host's entry into the module: one independent effect per call.
VANTOR_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    base::setMessagePresenter(platform::showMessageBox);
    // No exception may cross into the host.
    try
    {
        return (new EffectVST(audioMaster))->getAeffect();
    }
    catch (const std::exception&)
    {
        return nullptr;
    }
}

#if !defined(_WIN32)
// Older Linux hosts look for "main"; it is the same function. (The Windows build exports
// the second name through its module definition file.)
VANTOR_EXPORT __attribute__((alias("VSTPluginMain"))) AEffect*
legacyMainEntry(audioMasterCallback audioMaster) __asm__("main");
#endif
