// Whatever a host or a chunk stores, the open editor keeps drawing: no idle call hangs the
// host's GUI thread, and once ordinary values are back the picture is exactly as before.
#include "HostEditorSession.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>
#include <vector>

namespace
{

constexpr int kParameters = 42;
constexpr int kEqNum = 6;
constexpr float kFarOut[] = {1e30f, -1e30f, 3.4e38f, -3.4e38f, 2.0f, -1.0f, 1e-30f};

// Ends the test program when one step takes longer than any frame could: a hung editor
// would otherwise keep the suite waiting until its global time-out.
class HangWatchdog
{
public:
    static constexpr int kStepLimitSeconds = 60;

    HangWatchdog()
        : watcher(
              [this]
              {
                  int quietSeconds = 0;
                  long lastSeen = steps.load();
                  while (!done.load())
                  {
                      std::this_thread::sleep_for(std::chrono::seconds(1));
                      const long now = steps.load();
                      quietSeconds = now == lastSeen ? quietSeconds + 1 : 0;
                      lastSeen = now;
                      if (quietSeconds >= kStepLimitSeconds)
                      {
                          std::cerr << "editor hung at parameter " << index.load() << " = " << value.load() << "\n";
                          std::_Exit(3);
                      }
                  }
              })
    {
    }
    ~HangWatchdog()
    {
        done = true;
        watcher.join();
    }

    void step(int parameter, float stored)
    {
        index = parameter;
        value = stored;
        ++steps;
    }

private:
    std::atomic<long> steps{0};
    std::atomic<int> index{-1};
    std::atomic<float> value{0.0f};
    std::atomic<bool> done{false};
    std::thread watcher;
};

class StoredValues : public HostEditorSession
{
protected:
    // Four curve points, the pointer away from every control, the version line gone.
    CapturedFrame settledFrame()
    {
        pointer.moveTo(kWidth + 50, 10);
        instance.setParameter(kEqNum, 0.25f);
        return lastFrameOf(kVersionLineIdles);
    }

    // The frame presented last during a run of idle calls (none when nothing changed).
    CapturedFrame lastFrameOf(int idles)
    {
        std::remove(CapturedFrame::path().c_str());
        idleFor(idles);
        return CapturedFrame::read();
    }

    // What the window shows after a run of idle calls: the frame presented last, during the
    // run or before it (a frame where nothing changed presents nothing).
    CapturedFrame shownAfter(int idles)
    {
        idleFor(idles);
        return CapturedFrame::read();
    }

    std::vector<float> storedValues() const
    {
        std::vector<float> values(kParameters);
        for (int index = 0; index < kParameters; ++index)
            values[static_cast<std::size_t>(index)] = instance.getParameter(index);
        return values;
    }
};

TEST_F(StoredValues, FarOutParameterValuesNeitherHangNorScarTheEditor)
{
    const CapturedFrame before = settledFrame();
    ASSERT_EQ(before.width, kWidth);
    const std::vector<float> ordinary = storedValues();
    HangWatchdog watchdog;
    for (int index = 0; index < kParameters; ++index)
    {
        for (const float value : kFarOut)
        {
            watchdog.step(index, value);
            instance.setParameter(index, value);
            idleFor(1);
        }
        instance.setParameter(index, ordinary[static_cast<std::size_t>(index)]);
    }
    EXPECT_EQ(differingPixels(shownAfter(10), before), 0) << "the picture did not come back";
}

TEST_F(StoredValues, FarOutValuesFromAChunkNeitherHangNorScarTheEditor)
{
    const CapturedFrame before = settledFrame();
    ASSERT_EQ(before.width, kWidth);
    const std::vector<unsigned char> ordinary = instance.chunk(true);
    ASSERT_GE(ordinary.size(), kParameters * sizeof(float));
    HangWatchdog watchdog;
    for (const float value : kFarOut)
    {
        // Every parameter at once, as a damaged or hostile preset file would hold them.
        std::vector<unsigned char> farOut = ordinary;
        for (int index = 0; index < kParameters; ++index)
            std::memcpy(farOut.data() + index * sizeof(float), &value, sizeof(float));
        watchdog.step(-1, value);
        ASSERT_EQ(instance.restore(farOut, true), 1);
        idleFor(3);
    }
    ASSERT_EQ(instance.restore(ordinary, true), 1);
    EXPECT_EQ(differingPixels(shownAfter(10), before), 0) << "the picture did not come back";
}

}  // namespace
