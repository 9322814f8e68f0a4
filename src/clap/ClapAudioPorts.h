#pragma once

// The audio-ports extension: how many audio ports the plug-in has and what each one is.

#include "clap/ClapCore.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

constexpr char kExtAudioPorts[] = "clap.audio-ports";

// AudioPortInfo::portType
constexpr char kPortMono[] = "mono";
constexpr char kPortStereo[] = "stereo";

// AudioPortInfo::flags
constexpr std::uint32_t kAudioPortIsMain = 1u << 0;
constexpr std::uint32_t kAudioPortSupports64Bits = 1u << 1;
constexpr std::uint32_t kAudioPortPrefers64Bits = 1u << 2;
constexpr std::uint32_t kAudioPortRequiresCommonSampleSize = 1u << 3;

struct AudioPortInfo
{
    Id id;
    char name[kNameSize];
    std::uint32_t flags;
    std::uint32_t channelCount;
    const char* portType;  // null or empty when unspecified
    Id inPlacePair;        // the port that may share this one's buffer, or kInvalidId
};

struct PluginAudioPorts
{
    std::uint32_t (*count)(const Plugin* plugin, bool isInput);
    bool (*get)(const Plugin* plugin, std::uint32_t index, bool isInput, AudioPortInfo* info);
};

static_assert(sizeof(AudioPortInfo) == 288);
static_assert(offsetof(AudioPortInfo, name) == 4 && offsetof(AudioPortInfo, flags) == 260);
static_assert(offsetof(AudioPortInfo, channelCount) == 264 && offsetof(AudioPortInfo, portType) == 272);
static_assert(offsetof(AudioPortInfo, inPlacePair) == 280);
static_assert(sizeof(PluginAudioPorts) == 16 && offsetof(PluginAudioPorts, get) == 8);

}  // namespace clap
