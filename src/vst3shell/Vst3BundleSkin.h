#pragma once

#include "effect/EffectCore.h"

#include <memory>
#include <string>

// Inside a VST3 bundle the module sits in Contents/<platform folder>/ and what it needs at
// run time in Contents/Resources/: its skin is Contents/Resources/Skin/.

// The skin folder for the module's folder (with its trailing separator, '/' or '\\', which
// the answer uses as well); empty for an empty folder.
std::string bundleSkinFolder(const std::string& moduleFolder);

// The effect's editor reading its skin from this module's bundle: the EditorFactory of the
// VST3 module.
std::unique_ptr<EditorView> makeBundleEditor(EditorEffect& effect, EngineHost* engine);
