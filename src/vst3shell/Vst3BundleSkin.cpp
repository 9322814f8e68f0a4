#include "vst3shell/Vst3BundleSkin.h"

#include "editor/EffectEditor.h"
#include "engine/EngineHost.h"
#include "platform/ModuleLocation.h"

std::string bundleSkinFolder(const std::string& moduleFolder)
{
    if (moduleFolder.empty())
        return {};
    const char separator = moduleFolder.back();
    return moduleFolder + ".." + separator + "Resources" + separator + "Skin" + separator;
}

std::unique_ptr<EditorView> makeBundleEditor(EditorEffect& effect, EngineHost* engine)
{
    return std::make_unique<EffectEditor>(effect, engine != nullptr ? &engine->liveDisplays() : nullptr,
                                          bundleSkinFolder(platform::moduleDirectory()));
}
