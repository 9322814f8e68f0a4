#pragma once

#include <atomic>

constexpr int kSpectrumPoints = 512;

// The display spectrum, handed from the audio thread to the editor without either side ever
// waiting: three buffers of 512 points. The audio thread fills its own buffer and publishes
// it by swapping it with the shared one; the editor takes the shared one by swapping it
// with the buffer it showed. No buffer is ever written and read at the same time. Only
// filled while an editor wants it.
class SpectrumHandOff
{
public:
    // Audio thread: the buffer being filled, then handed over whole.
    float* fillBuffer() { return buffers[filling]; }
    void publish() { filling = shared.exchange(filling | kNewBit, std::memory_order_acq_rel) & kIndexMask; }

    // Editor thread: whether a spectrum newer than the last taken one is waiting, and the
    // newest spectrum (taken over when there is one, else the one taken before).
    bool hasNews() const { return (shared.load(std::memory_order_acquire) & kNewBit) != 0; }
    const float* takeLatest()
    {
        if (hasNews())
            showing = shared.exchange(showing, std::memory_order_acq_rel) & kIndexMask;
        return buffers[showing];
    }
    const float* lastTaken() const { return buffers[showing]; }

    // Any thread: the editor asks for the spectrum while it is open; nobody else looks at it.
    void setWanted(bool now) { wantedFlag.store(now, std::memory_order_relaxed); }
    bool wanted() const { return wantedFlag.load(std::memory_order_relaxed); }

private:
    static constexpr unsigned kIndexMask = 3;
    static constexpr unsigned kNewBit = 4;

    alignas(16) float buffers[3][kSpectrumPoints] = {};
    unsigned filling = 0;  // audio thread only
    unsigned showing = 2;  // editor thread only
    std::atomic<unsigned> shared{1};
    std::atomic<bool> wantedFlag{false};
};
