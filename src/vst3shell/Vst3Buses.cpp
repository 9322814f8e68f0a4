#include "vst3shell/Vst3Buses.h"

#include "vst3/Vst3Strings.h"

namespace
{

constexpr std::int32_t kStereoChannels = 2;

bool isAudioBus(vst3::MediaType type, vst3::BusDirection direction, std::int32_t index)
{
    return type == vst3::kAudio && (direction == vst3::kInput || direction == vst3::kOutput) && index == 0;
}

}  // namespace

std::int32_t vst3BusCount(vst3::MediaType type, vst3::BusDirection direction)
{
    return isAudioBus(type, direction, 0) ? 1 : 0;
}

vst3::tresult vst3BusInfo(vst3::MediaType type, vst3::BusDirection direction, std::int32_t index,
                          vst3::BusInfo& bus)
{
    if (!isAudioBus(type, direction, index))
        return vst3::kInvalidArgument;
    bus = vst3::BusInfo{};
    bus.mediaType = vst3::kAudio;
    bus.direction = direction;
    bus.channelCount = kStereoChannels;
    vst3::copyAsciiToUtf16(direction == vst3::kInput ? "Stereo In" : "Stereo Out", bus.name, vst3::kString128Size);
    bus.busType = vst3::kMain;
    bus.flags = vst3::BusInfo::kDefaultActive;
    return vst3::kResultOk;
}

vst3::tresult vst3ActivateBus(vst3::MediaType type, vst3::BusDirection direction, std::int32_t index)
{
    return isAudioBus(type, direction, index) ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult vst3SetBusArrangements(const vst3::SpeakerArrangement* inputs, std::int32_t inputCount,
                                     const vst3::SpeakerArrangement* outputs, std::int32_t outputCount)
{
    const bool stereo = inputCount == 1 && outputCount == 1 && inputs != nullptr && outputs != nullptr &&
                        inputs[0] == vst3::kStereo && outputs[0] == vst3::kStereo;
    return stereo ? vst3::kResultTrue : vst3::kResultFalse;
}

vst3::tresult vst3BusArrangement(vst3::BusDirection direction, std::int32_t index,
                                 vst3::SpeakerArrangement& arrangement)
{
    if (!isAudioBus(vst3::kAudio, direction, index))
        return vst3::kInvalidArgument;
    arrangement = vst3::kStereo;
    return vst3::kResultOk;
}
