// The LV2 binary's run (and connect_port, which hosts call beside it) never allocates or
// locks, while its control ports change in ways that make the audio thread fade, reshape and
// rebuild the equaliser curve. The binary, loaded by lilv, takes malloc & co and
// pthread_mutex_lock from the program's watch like every other library of the process.
#include "Lv2TestHost.h"
#include "support/AudioThreadWatch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

TEST(Lv2AudioThread, RunNeitherAllocatesNorLocksWhileItsPortsChange)
{
    ASSERT_TRUE(watchSeesAProbe()) << "the counters see what they are there to see";

    Lv2Instance plugin(48000.0);
    ASSERT_TRUE(plugin.created());
    StereoSignal signal = stereoNoise(64 * 700, 0.4f);
    // Made and freed outside the watch, as is everything of the host's own.
    const std::vector<std::size_t> blockLengths = {64};
    plugin.render(signal, blockLengths,
                  [](Lv2Instance& instance, std::size_t block)
                  {
                      watchingThisThread = false;
                      if (block % 50 == 0)
                      {
                          // Ports 39, 40, 10, 0, 2, 1: Eq.gain, Internal 0, a curve point,
                          // Active, Punch, Stereo Width.
                          instance.setValue(39, static_cast<float>(block % 7) / 7.0f);
                          instance.setValue(40, 1.0f);
                          instance.setValue(10, static_cast<float>(block % 3) / 3.0f);
                          instance.setValue(0, (block / 50) % 2 == 0 ? 0.0f : 1.0f);
                          instance.setValue(2, 1.0f);
                          instance.setValue(1, 1.0f);
                      }
                      watchingThisThread = true;
                  });
    watchingThisThread = false;
    EXPECT_EQ(watchedHeapCalls.load(), 0);
    EXPECT_EQ(watchedLockCalls.load(), 0);
}
