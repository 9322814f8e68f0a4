#pragma once

#include "clap/ClapEvents.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A parameter event as tests read it back; value is the value or modulation amount, 0 for
// gestures.
struct ClapParamEvent
{
    std::uint16_t type;
    std::uint32_t time;
    clap::Id paramId;
    double value;
};

// The events of one process or flush call, in either direction: the host fills one for the
// plug-in to read (inputEvents) and hands another for the plug-in to push to (outputEvents).
// Its memory is set aside up front, so a push from the audio thread never allocates; a full
// list refuses the event, as CLAP lets a host do.
class ClapEventList
{
public:
    static constexpr std::size_t kDefaultCapacityBytes = 64 * 1024;
    static constexpr std::size_t kDefaultMaxEvents = 1024;

    explicit ClapEventList(std::size_t capacityBytes = kDefaultCapacityBytes,
                           std::size_t maxEvents = kDefaultMaxEvents);
    // The CLAP views point back at this object.
    ClapEventList(const ClapEventList&) = delete;
    ClapEventList& operator=(const ClapEventList&) = delete;

    // Host side: a copy of the event goes after every event of the same or an earlier time,
    // so the list stays in time order and events of one time keep the order they came in.
    bool insertByTime(const clap::EventHeader& event);
    bool addParamValue(std::uint32_t time, clap::Id paramId, double value);

    // Plug-in side: a copy goes at the end, in arrival order, so a plug-in that breaks time
    // order can be caught.
    bool append(const clap::EventHeader& event);

    std::size_t size() const { return offsets.size(); }
    const clap::EventHeader& at(std::size_t index) const;
    // The core-space parameter events (values, modulations, gesture begins and ends) in list order.
    std::vector<ClapParamEvent> paramEvents() const;
    bool isInTimeOrder() const;
    void clear();

    const clap::InputEvents* inputEvents() const { return &inputView; }
    const clap::OutputEvents* outputEvents() const { return &outputView; }

private:
    bool store(const clap::EventHeader& event, std::size_t position);
    const clap::EventHeader& eventAtOffset(std::size_t offset) const;

    // Every event starts at a multiple of 8 bytes, so its doubles and pointers are aligned.
    std::vector<unsigned char> storage;
    std::size_t usedBytes = 0;
    std::vector<std::size_t> offsets;  // where each event starts, in list order
    std::size_t maxEvents;
    clap::InputEvents inputView;
    clap::OutputEvents outputView;
};
