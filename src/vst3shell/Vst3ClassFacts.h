#pragma once

#include "identity/EffectIdentity.h"
#include "vst3/Vst3PluginFactory.h"
#include "vst3/Vst3Unknown.h"

#include <cstdint>

// What the VST3 factory tells hosts about the module and its one class, beyond the identity
// record: the factory answers these when loaded, and the build writes the same into the
// bundle's moduleinfo.json for hosts that list plug-ins without loading them.
namespace vst3facts
{

// The product's page stands for the vendor's address; no e-mail address is given.
inline constexpr const char* kVendorUrl = kEffectIdentity.lv2Uri;
inline constexpr const char* kVendorEmail = "";
inline constexpr std::int32_t kFactoryFlags = vst3::PFactoryInfo::kUnicode;

inline constexpr const char* kClassCategory = vst3::kAudioEffectClass;
inline constexpr std::int32_t kCardinality = vst3::PClassInfo::kManyInstances;
// One object is component and controller alike, so its halves cannot run apart.
inline constexpr std::uint32_t kClassFlags = 0;

// The class id in this platform's byte order, as the factory hands it over.
inline constexpr vst3::Tuid kClassId = vst3::tuidFromSpelledBytes(kEffectIdentity.vst3ClassId);

}  // namespace vst3facts
