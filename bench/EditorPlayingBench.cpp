// What the editor costs a host while music plays: the host process's CPU time per second of
// wall-clock time (percent of one core; every thread counts: the audio thread, the GUI thread
// and the GL driver's) with audio processed at real time on a thread of its own (512-frame
// blocks of the demo signal at 44.1 kHz) and the editor idled every 16 ms, as a DAW does.
// Four states at 100 % and 200 %: the editor closed, open, open with silent input, and open
// but covered by another window. Each figure is the median of a few runs.
// Run under an X server (xvfb-run) with VANTOR_MODULE naming the module.
#include "DemoSignal.h"
#include "HostWindow.h"
#include "PluginHost.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
constexpr int kBlock = 512;
constexpr auto kIdleInterval = std::chrono::milliseconds(16);
constexpr auto kSettle = std::chrono::seconds(1);
constexpr auto kMeasured = std::chrono::seconds(6);
constexpr int kRuns = 3;
constexpr float kFactors[] = {1.0f, 2.0f};

enum class State
{
    Closed,
    Open,
    OpenSilent,
    Covered,
};
constexpr State kStates[] = {State::Closed, State::Open, State::OpenSilent, State::Covered};

const char* stateName(State state)
{
    switch (state)
    {
    case State::Closed: return "editor closed";
    case State::Open: return "editor open";
    case State::OpenSilent: return "editor open, silent input";
    case State::Covered: return "editor open, covered";
    }
    return "";
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The host's audio thread: one block every 512 samples' time, looping the clip (or zeros).
class RealTimeAudio
{
public:
    RealTimeAudio(EffectInstance& effect, const AudioClip& clip) : instance(effect), music(clip)
    {
        worker = std::thread([this] { run(); });
    }
    ~RealTimeAudio()
    {
        stopping = true;
        worker.join();
    }
    void setSilent(bool now) { silent = now; }

private:
    void run()
    {
        std::vector<float> inLeft(kBlock);
        std::vector<float> inRight(kBlock);
        std::vector<float> outLeft(kBlock);
        std::vector<float> outRight(kBlock);
        const auto blockTime = std::chrono::duration<double>(static_cast<double>(kBlock) / music.sampleRate);
        const auto start = std::chrono::steady_clock::now();
        std::size_t position = 0;
        for (long block = 0; !stopping; ++block)
        {
            std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                      blockTime * static_cast<double>(block)));
            for (int i = 0; i < kBlock; ++i)
            {
                const bool quiet = silent.load(std::memory_order_relaxed);
                inLeft[i] = quiet ? 0.0f : music.channels[0][position];
                inRight[i] = quiet ? 0.0f : music.channels[1][position];
                position = (position + 1) % music.frames();
            }
            float* inputs[2] = {inLeft.data(), inRight.data()};
            float* outputs[2] = {outLeft.data(), outRight.data()};
            instance.effect()->processReplacing(instance.effect(), inputs, outputs, kBlock);
        }
    }

    EffectInstance& instance;
    const AudioClip& music;
    std::atomic<bool> stopping{false};
    std::atomic<bool> silent{false};
    std::thread worker;
};

// Idle calls every 16 ms for the duration; answers the CPU share over the measured part.
double idleAndMeasure(HostWindow& window, EffectInstance& instance)
{
    const auto idleFor = [&](std::chrono::steady_clock::duration span)
    {
        const auto until = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < until)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(kIdleInterval);
        }
    };
    idleFor(kSettle);
    const double cpuStart = processCpuMs();
    const auto wallStart = std::chrono::steady_clock::now();
    idleFor(kMeasured);
    const double wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
    return 100.0 * (processCpuMs() - cpuStart) / wallMs;
}

double measureState(State state, float factor, HostWindow& window, EffectInstance& instance, RealTimeAudio& audio)
{
    audio.setSilent(state == State::OpenSilent);
    if (state != State::Closed)
    {
        instance.dispatch(effVendorSpecific, fourCharCode('P', 'r', 'e', 'S'), fourCharCode('A', 'e', 'C', 's'),
                          nullptr, factor);
        instance.dispatch(effEditOpen, 0, 0, window.handle());
    }
    window.setCovered(state == State::Covered ? HostWindow::Cover::Whole : HostWindow::Cover::Uncovered);
    const double share = idleAndMeasure(window, instance);
    window.setCovered(HostWindow::Cover::Uncovered);
    if (state != State::Closed)
        instance.dispatch(effEditClose);
    return share;
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
    const AudioClip music = makeDemoSignal();
    EffectInstance instance;
    instance.resumeAt(static_cast<float>(music.sampleRate), kBlock);
    RealTimeAudio audio(instance, music);
    std::printf("host process CPU, %% of one core: audio at real time, idle calls every 16 ms; median of %d runs of "
                "%lld s\n",
                kRuns, static_cast<long long>(kMeasured.count()));
    for (const float factor : kFactors)
    {
        for (const State state : kStates)
        {
            std::vector<double> shares;
            for (int run = 0; run < kRuns; ++run)
                shares.push_back(measureState(state, factor, window, instance, audio));
            std::sort(shares.begin(), shares.end());
            std::printf("%3.0f %%: %-26s %5.1f %%  (runs: %.1f .. %.1f)\n", factor * 100.0f, stateName(state),
                        shares[shares.size() / 2], shares.front(), shares.back());
            std::fflush(stdout);
        }
    }
    return 0;
}
