#pragma once

#include "engine/StereoImageReading.h"

#include <atomic>

// The stereo image, handed from the audio thread to the editor as SpectrumHandOff hands the
// spectrum: three snapshots; the audio thread fills its own and publishes it by swapping it
// with the shared one, the editor takes the shared one by swapping it with the one it showed.
// No snapshot is ever written and read at the same time, and neither side waits. Only filled
// while an editor wants it.
class StereoImageHandOff
{
public:
    // Audio thread: the snapshot being filled, then handed over whole.
    StereoImageSnapshot& fillSnapshot() { return snapshots[filling]; }
    void publish() { filling = shared.exchange(filling | kNewBit, std::memory_order_acq_rel) & kIndexMask; }

    // Editor thread: whether a snapshot newer than the last taken one is waiting, and the
    // newest snapshot (taken over when there is one, else the one taken before).
    bool hasNews() const { return (shared.load(std::memory_order_acquire) & kNewBit) != 0; }
    const StereoImageSnapshot& takeLatest()
    {
        if (hasNews())
            showing = shared.exchange(showing, std::memory_order_acq_rel) & kIndexMask;
        return snapshots[showing];
    }

    // Any thread: the editor asks for the image while it is open; nobody else looks at it.
    // Each time it starts wanting it counts as a new opening, which the analysis starts
    // afresh for, even when no block ran while it was closed.
    void setWanted(bool now)
    {
        if (now && !wantedFlag.load(std::memory_order_relaxed))
            openingCount.fetch_add(1, std::memory_order_relaxed);
        wantedFlag.store(now, std::memory_order_relaxed);
    }
    bool wanted() const { return wantedFlag.load(std::memory_order_relaxed); }
    unsigned openings() const { return openingCount.load(std::memory_order_relaxed); }

private:
    static constexpr unsigned kIndexMask = 3;
    static constexpr unsigned kNewBit = 4;

    StereoImageSnapshot snapshots[3] = {};
    unsigned filling = 0;  // audio thread only
    unsigned showing = 2;  // editor thread only
    std::atomic<unsigned> shared{1};
    std::atomic<bool> wantedFlag{false};
    std::atomic<unsigned> openingCount{0};
};
