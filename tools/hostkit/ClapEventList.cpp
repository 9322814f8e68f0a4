#include "ClapEventList.h"

#include <algorithm>
#include <cstring>

namespace
{

const ClapEventList& listOf(const clap::InputEvents* list)
{
    return *static_cast<const ClapEventList*>(list->ctx);
}

std::uint32_t inputSize(const clap::InputEvents* list)
{
    return static_cast<std::uint32_t>(listOf(list).size());
}

const clap::EventHeader* inputGet(const clap::InputEvents* list, std::uint32_t index)
{
    const ClapEventList& events = listOf(list);
    return index < events.size() ? &events.at(index) : nullptr;
}

bool outputTryPush(const clap::OutputEvents* list, const clap::EventHeader* event)
{
    return event != nullptr && static_cast<ClapEventList*>(list->ctx)->append(*event);
}

constexpr std::size_t kEventAlignment = 8;

template <typename Event> const Event& eventAs(const clap::EventHeader& header)
{
    return *reinterpret_cast<const Event*>(&header);
}

}  // namespace

ClapEventList::ClapEventList(std::size_t capacityBytes, std::size_t maxEventCount)
    : storage(capacityBytes),
      maxEvents(maxEventCount), inputView{this, inputSize, inputGet}, outputView{this, outputTryPush}
{
    offsets.reserve(maxEvents);
}

bool ClapEventList::insertByTime(const clap::EventHeader& event)
{
    const auto later = std::find_if(offsets.begin(), offsets.end(),
                                    [&](std::size_t offset) { return eventAtOffset(offset).time > event.time; });
    return store(event, static_cast<std::size_t>(later - offsets.begin()));
}

bool ClapEventList::addParamValue(std::uint32_t time, clap::Id paramId, double value)
{
    clap::EventParamValue event{};
    event.header = {sizeof(event), time, clap::kCoreEventSpaceId, clap::kEventParamValue, 0};
    event.paramId = paramId;
    event.noteId = -1;
    event.portIndex = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    return insertByTime(event.header);
}

bool ClapEventList::append(const clap::EventHeader& event)
{
    return store(event, offsets.size());
}

// Never grows a vector: both were sized in the constructor, so the audio thread may push.
bool ClapEventList::store(const clap::EventHeader& event, std::size_t position)
{
    if (event.size < sizeof(clap::EventHeader) || offsets.size() == maxEvents)
        return false;
    const std::size_t footprint = (event.size + kEventAlignment - 1) / kEventAlignment * kEventAlignment;
    if (footprint > storage.size() - usedBytes)
        return false;
    std::memcpy(storage.data() + usedBytes, &event, event.size);
    offsets.insert(offsets.begin() + static_cast<std::ptrdiff_t>(position), usedBytes);
    usedBytes += footprint;
    return true;
}

const clap::EventHeader& ClapEventList::at(std::size_t index) const
{
    return eventAtOffset(offsets.at(index));
}

const clap::EventHeader& ClapEventList::eventAtOffset(std::size_t offset) const
{
    return *reinterpret_cast<const clap::EventHeader*>(storage.data() + offset);
}

std::vector<ClapParamEvent> ClapEventList::paramEvents() const
{
    std::vector<ClapParamEvent> events;
    for (std::size_t i = 0; i < size(); ++i)
    {
        const clap::EventHeader& header = at(i);
        if (header.spaceId != clap::kCoreEventSpaceId)
            continue;
        if (header.type == clap::kEventParamValue && header.size >= sizeof(clap::EventParamValue))
        {
            const auto& event = eventAs<clap::EventParamValue>(header);
            events.push_back({header.type, header.time, event.paramId, event.value});
        }
        else if (header.type == clap::kEventParamMod && header.size >= sizeof(clap::EventParamMod))
        {
            const auto& event = eventAs<clap::EventParamMod>(header);
            events.push_back({header.type, header.time, event.paramId, event.amount});
        }
        else if ((header.type == clap::kEventParamGestureBegin || header.type == clap::kEventParamGestureEnd) &&
                 header.size >= sizeof(clap::EventParamGesture))
        {
            events.push_back({header.type, header.time, eventAs<clap::EventParamGesture>(header).paramId, 0.0});
        }
    }
    return events;
}

bool ClapEventList::isInTimeOrder() const
{
    for (std::size_t i = 1; i < size(); ++i)
    {
        if (at(i).time < at(i - 1).time)
            return false;
    }
    return true;
}

void ClapEventList::clear()
{
    offsets.clear();
    usedBytes = 0;
}
