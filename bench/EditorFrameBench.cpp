// What the editor costs the host at 100 % and 200 % (the size announced as a host does): CPU
// milliseconds per drawn frame with every control on screen (median and 99th percentile),
// for a frame where one control changes and for a whole repaint, and the host process's CPU
// use while the editor sits still versus closed. Run under an X server (xvfb-run) with
// VANTOR_MODULE naming the module.
#include "BenchProcess.h"
#include "HostWindow.h"
#include "PluginHost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
constexpr int kMeasuredFrames = 300;
constexpr auto kIdleInterval = std::chrono::milliseconds(16);
constexpr auto kStillSeconds = std::chrono::seconds(5);
constexpr int kSizzle = 3;
constexpr float kFactors[] = {1.0f, 2.0f};

// Host idle calls every 16 ms for a while; answers the process's CPU use in percent of a core.
double cpuShareWhileIdling(HostWindow& window, EffectInstance& instance)
{
    const double cpuStart = processCpuMs();
    const auto wallStart = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - wallStart < kStillSeconds)
    {
        window.pumpMessages();
        instance.dispatch(effEditIdle);
        std::this_thread::sleep_for(kIdleInterval);
    }
    const double wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
    return 100.0 * (processCpuMs() - cpuStart) / wallMs;
}

// The median CPU milliseconds of a frame: one dial's part of the picture, or the whole.
double measureFrames(HostWindow& window, EffectInstance& instance, float factor, bool whole)
{
    // A host-side change before every idle call makes every idle call draw a frame, as while
    // automation plays or the user turns the dial.
    std::vector<double> frameMs;
    for (int frame = 0; frame < kMeasuredFrames; ++frame)
    {
        instance.setParameter(kSizzle, static_cast<float>(frame % 100) / 100.0f);
        // A repaint from the window system draws the whole picture.
        if (whole)
            window.exposeChildren();
        window.pumpMessages();
        const double before = processCpuMs();
        instance.dispatch(effEditIdle);
        frameMs.push_back(processCpuMs() - before);
        std::this_thread::sleep_for(kIdleInterval);
    }
    std::sort(frameMs.begin(), frameMs.end());
    std::printf("%3.0f %%: editor frame CPU, %s: median %.2f ms, 99th percentile %.2f ms over %d frames\n",
                factor * 100.0f, whole ? "whole picture" : "one dial changing", frameMs[frameMs.size() / 2],
                frameMs[frameMs.size() * 99 / 100], kMeasuredFrames);
    return frameMs[frameMs.size() / 2];
}

}  // namespace

int main()
{
    if (!PluginModule::shared().loaded())
    {
        std::fprintf(stderr, "cannot load the module: %s\n", PluginModule::shared().error().c_str());
        return 1;
    }
    HostWindow window(static_cast<int>(kWidth * kFactors[1]), static_cast<int>(kHeight * kFactors[1]));
    if (!window.valid())
    {
        std::fprintf(stderr, "no X server (run under xvfb-run)\n");
        return 1;
    }
    EffectInstance instance;
    const double closedShare = cpuShareWhileIdling(window, instance);
    std::printf("host process CPU with idle calls every 16 ms, editor closed: %.1f%%\n", closedShare);

    double oneDialMedian[2] = {};
    for (int size = 0; size < 2; ++size)
    {
        const float factor = kFactors[size];
        instance.dispatch(effVendorSpecific, fourCharCode('P', 'r', 'e', 'S'), fourCharCode('A', 'e', 'C', 's'),
                          nullptr, factor);
        instance.dispatch(effEditOpen, 0, 0, window.handle());
        // Past the version line, which draws for the first 120 idle calls.
        for (int i = 0; i < 150; ++i)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(kIdleInterval);
        }
        oneDialMedian[size] = measureFrames(window, instance, factor, false);
        measureFrames(window, instance, factor, true);
        const double stillShare = cpuShareWhileIdling(window, instance);
        std::printf("%3.0f %%: host process CPU with idle calls every 16 ms, editor open and still: %.1f%%\n",
                    factor * 100.0f, stillShare);
        instance.dispatch(effEditClose);
    }
    std::printf("one-dial frame at 200 %% costs %.2f times the frame at 100 %%\n",
                oneDialMedian[0] > 0.0 ? oneDialMedian[1] / oneDialMedian[0] : 0.0);
    return 0;
}
