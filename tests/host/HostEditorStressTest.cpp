// The open editor under load from every other thread a host runs. Built in the sanitizer
// builds as well.
#include "HostEditorWindow.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

namespace
{

using HostEditorStress = HostEditorWindow;

double stressSeconds()
{
    const char* value = std::getenv("VANTOR_STRESS_SECONDS");
    return value != nullptr ? std::atof(value) : 2.0;
}

// Everything at once, for a bounded time: one thread processes, two automate, one loads
// chunks and changes the sample rate, while this (GUI) thread idles, drawing frames with
// the live displays, closes and reopens the editor, and at last closes the effect with its
// editor open. The sanitizer builds run it too, ThreadSanitizer watching every hand-over
// between the audio thread and the editor.
TEST_F(HostEditorStress, EditorCyclesWhileEveryOtherThreadWorks)
{
    instance.resumeAt(44100.0f);
    const auto bank = instance.chunk(false);
    std::atomic<bool> stop{false};
    std::atomic<bool> outputFinite{true};
    std::atomic<long> blocks{0};
    std::vector<std::thread> workers;
    workers.emplace_back(
        [&]
        {
            std::vector<float> left(256), right(256);
            AEffect* effect = instance.effect();
            for (unsigned n = 0; !stop.load(); ++n)
            {
                for (std::size_t i = 0; i < left.size(); ++i)
                    left[i] = right[i] = 0.5f * std::sin(0.01f * static_cast<float>(n * 256 + i));
                float* channels[2] = {left.data(), right.data()};
                effect->processReplacing(effect, channels, channels, 256);
                for (float sample : left)
                    outputFinite = outputFinite && std::isfinite(sample);
                ++blocks;
            }
        });
    for (unsigned seed : {7u, 11u})
    {
        workers.emplace_back(
            [&, seed]
            {
                unsigned state = seed;
                while (!stop.load())
                {
                    state = state * 1103515245u + 12345u;
                    instance.setParameter(static_cast<VstInt32>(state % 42),
                                          static_cast<float>(state % 1000) / 1000.0f);
                }
            });
    }
    workers.emplace_back(
        [&]
        {
            for (bool high = false; !stop.load(); high = !high)
            {
                instance.restore(bank, false);
                instance.resumeAt(high ? 96000.0f : 44100.0f);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });

    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(stressSeconds());
    // At least three editor cycles, however slowly a loaded machine opens the editor.
    for (int cycle = 0; cycle < 3 || std::chrono::steady_clock::now() < end; ++cycle)
    {
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        idleFor(3);
        instance.dispatch(effEditClose);
        window.pumpMessages();
    }
    // The session ends with the editor open: the host stops its threads and closes the
    // effect at once, with their last changes still waiting for the editor's next frame.
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    idleFor(3);
    stop = true;
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(instance.close(), 1);
    window.pumpMessages();
    EXPECT_TRUE(outputFinite.load());
    EXPECT_GT(blocks.load(), 10);
    EXPECT_EQ(window.childCount(), 0);
}

}  // namespace
