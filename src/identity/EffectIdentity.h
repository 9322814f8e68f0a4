#pragma once

#include "VantorVersion.h"

#include <array>
#include <cstdint>

// Who the effect is, as every plug-in format's host lists it: the one home of these facts.
// The ids are the plug-in's identity in saved projects: once shipped, never change them.
struct EffectIdentity
{
    const char* vendor;
    const char* product;
    const char* versionText;     // "1.2.8"
    std::int32_t versionNumber;  // major, minor and patch as decimal digits: 128
    const char* description;
    // The VST 2.4 unique id, as its four characters.
    const char* vst2UniqueId;
    const char* clapId;
    // VST3 class id, the 16 bytes in the order the format's FUID text spells them.
    std::array<std::uint8_t, 16> vst3ClassId;
    const char* vst3Categories;
    // A URI of the vendor's: LV2 hosts key presets, sessions and automation on it.
    const char* lv2Uri;
};

inline constexpr EffectIdentity kEffectIdentity{
    "Brackwel",
    "Vantor Pro",
    kVantorVersionText,
    kVantorVendorVersion,
    "Stereo enhancement: width, drawn equaliser, punch, sizzle and shape",
    "VnTq",
    "com.brackwel.vantor-pro",
    {0x20, 0x28, 0x32, 0xE1, 0xB0, 0x8D, 0x41, 0xCA, 0x8E, 0xCA, 0xFA, 0xBD, 0x64, 0xDF, 0x82, 0x9F},
    "Fx|Spatial",
    "https://brackwel.com/plugins/vantor-pro",
};
