#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

// The audio thread processes while a control thread changes the rate (replacing the
// engine's buffers) and the editor reads and decays the published meters.
TEST(EngineConcurrency, RateChangesAndMeterReadersNeverDisturbTheAudioThread)
{
    auto host = startedEngine();
    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::thread audio(
        [&]
        {
            std::vector<float> left(128), right(128);
            unsigned state = 1;
            while (!stop.load())
            {
                for (std::size_t i = 0; i < left.size(); ++i)
                {
                    state = state * 1664525u + 1013904223u;
                    left[i] = static_cast<float>(state >> 9) / 8388608.0f - 0.5f;
                    right[i] = -left[i];
                }
                runBlocks(*host, left, right);
                for (float sample : left)
                {
                    if (!std::isfinite(sample))
                        finite = false;
                }
            }
        });
    std::thread editor(
        [&]
        {
            while (!stop.load())
            {
                EngineMeters& meters = host->meters();
                meters.peakLeft.store(meters.peakLeft.load(std::memory_order_relaxed) * 0.85f,
                                      std::memory_order_relaxed);
                meters.peakRight.store(meters.peakRight.load(std::memory_order_relaxed) * 0.85f,
                                       std::memory_order_relaxed);
                meters.clipFlag.store(0.0f, std::memory_order_relaxed);
                meters.bassMeter.store(meters.bassMeter.load(std::memory_order_relaxed) * 0.8f,
                                       std::memory_order_relaxed);
                std::this_thread::yield();
            }
        });
    const float rates[] = {48000.0f, 96000.0f, 44100.0f, 192000.0f};
    for (int round = 0; round < 200; ++round)
    {
        host->changeSampleRate(0, rates[round % 4]);
        setParameter(*host, kParamEqGain, static_cast<float>(round % 10) / 10.0f);
        host->RebuildEqualiser();
        host->resumeProcessing();
    }
    stop = true;
    audio.join();
    editor.join();
    EXPECT_TRUE(finite.load());
    EXPECT_EQ(host->latency(), 4097);
}

// The editor takes spectra while the audio thread publishes them as fast as it can: every
// spectrum it sees is one the audio thread completed (never half of two), and none older
// than one it saw before.
TEST(EngineConcurrency, DisplaySpectrumArrivesWholeAndInOrder)
{
    SpectrumHandOff spectrum;
    constexpr int kSpectra = 20000;
    std::thread audio(
        [&]
        {
            for (int n = 1; n <= kSpectra; ++n)
            {
                float* points = spectrum.fillBuffer();
                std::fill(points, points + kSpectrumPoints, 0.0f);
                for (int j = 0; j < kSpectrumPoints; ++j)
                    points[j] += static_cast<float>(n);
                spectrum.publish();
            }
        });
    float newest = 0.0f;
    int torn = 0;
    int older = 0;
    while (newest < static_cast<float>(kSpectra))
    {
        const float* points = spectrum.takeLatest();
        torn += std::count_if(points, points + kSpectrumPoints, [&](float p) { return p != points[0]; }) != 0;
        older += points[0] < newest;
        newest = std::max(newest, points[0]);
    }
    audio.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(older, 0);
    EXPECT_FALSE(spectrum.hasNews());
}
