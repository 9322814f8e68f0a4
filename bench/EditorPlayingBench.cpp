// What the editor costs a host while music plays: the host process's CPU time per second of
// wall-clock time (percent of one core; every thread counts: the audio thread, the GUI thread
// and the GL driver's) with audio processed at real time on a thread of its own (512-frame
// blocks of the demo signal at 44.1 kHz) and the editor idled every 16 ms, as a DAW does.
// Four states at 100 % and 200 %: the editor closed, open, open with silent input, and open
// but covered by another window; the open states with the stereo gain panel in the design's
// view and in the Scope view (chosen with a click, as a user does). Each figure is the median
// of a few runs. Run under an X server (xvfb-run) with VANTOR_MODULE naming the module.
// Arguments pick some of the sizes, states and views: 100, 200, closed, open, silent,
// covered, design, scope. The editor's preferences go to a scratch folder.
#include "BenchProcess.h"
#include "DemoSignal.h"
#include "HostPointer.h"
#include "HostWindow.h"
#include "PluginHost.h"
#include "editor/EditorLayout.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
constexpr int kBlock = 512;
constexpr auto kIdleInterval = std::chrono::milliseconds(16);
constexpr auto kSettle = std::chrono::seconds(2);
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

enum class View
{
    Design,
    Scope,
};
constexpr View kViews[] = {View::Design, View::Scope};

const char* viewArgument(View view)
{
    return view == View::Scope ? "scope" : "design";
}

const char* stateArgument(State state)
{
    switch (state)
    {
    case State::Closed: return "closed";
    case State::Open: return "open";
    case State::OpenSilent: return "silent";
    case State::Covered: return "covered";
    }
    return "";
}

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

// Idle calls from a 16 ms timer (as a host's: a late call makes the next one no later)
// for the duration; answers the CPU share over the measured part.
double idleAndMeasure(HostWindow& window, EffectInstance& instance)
{
    const auto idleFor = [&](std::chrono::steady_clock::duration span)
    {
        const auto start = std::chrono::steady_clock::now();
        auto next = start;
        while (std::chrono::steady_clock::now() - start < span)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            next = std::max(next + kIdleInterval, std::chrono::steady_clock::now());
            std::this_thread::sleep_until(next);
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

// A click on the stereo gain panel switches its view; the pointer then leaves the editor,
// so no help panel covers it.
void clickPanel(HostPointer& pointer, HostWindow& window, EffectInstance& instance, float factor)
{
    const layout::Row& panel = layout::controlRows()[0];
    const float x = static_cast<float>(kWidth) / 2.0f + layout::leftEdge(kWidth) + panel.centre[0];
    const float y = static_cast<float>(kHeight) / 2.0f - layout::bottomEdge(kHeight) - panel.centre[1];
    const auto idle = [&]
    {
        for (int call = 0; call < 3; ++call)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(kIdleInterval);
        }
    };
    pointer.moveTo(static_cast<int>(std::lround(x * factor)), static_cast<int>(std::lround(y * factor)));
    idle();
    pointer.press(HostPointer::Left);
    idle();
    pointer.release(HostPointer::Left);
    idle();
    pointer.moveTo(static_cast<int>(kWidth * factor) + 50, 10);
    idle();
}

double measureState(State state, View view, float factor, HostWindow& window, EffectInstance& instance,
                    RealTimeAudio& audio, HostPointer& pointer)
{
    audio.setSilent(state == State::OpenSilent);
    if (state != State::Closed)
    {
        instance.dispatch(effVendorSpecific, fourCharCode('P', 'r', 'e', 'S'), fourCharCode('A', 'e', 'C', 's'),
                          nullptr, factor);
        instance.dispatch(effEditOpen, 0, 0, window.handle());
        if (view == View::Scope)
            clickPanel(pointer, window, instance, factor);
    }
    window.setCovered(state == State::Covered ? HostWindow::Cover::Whole : HostWindow::Cover::Uncovered);
    const double share = idleAndMeasure(window, instance);
    window.setCovered(HostWindow::Cover::Uncovered);
    if (state != State::Closed)
    {
        // Back to the design's view, which the next opening then shows.
        if (view == View::Scope)
            clickPanel(pointer, window, instance, factor);
        instance.dispatch(effEditClose);
    }
    return share;
}

// The Info switch and the panel's view are remembered outside projects: here, in a folder
// of the benchmark's own.
bool usePreferenceScratchFolder()
{
    std::string folder = (std::filesystem::temp_directory_path() / "vantor-bench-prefs-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return false;
    setenv("XDG_CONFIG_DIRS", (folder + "/machine").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    return true;
}

}  // namespace

// Whether the command line picks the item: it names it, or names nothing of its kind.
bool picked(int argc, char** argv, const std::string& item, const std::vector<std::string>& kind)
{
    bool kindNamed = false;
    for (int i = 1; i < argc; ++i)
    {
        if (item == argv[i])
            return true;
        kindNamed = kindNamed || std::find(kind.begin(), kind.end(), argv[i]) != kind.end();
    }
    return !kindNamed;
}

int main(int argc, char** argv)
{
    if (!usePreferenceScratchFolder())
    {
        std::fprintf(stderr, "no scratch folder for the preferences\n");
        return 1;
    }
    if (!PluginModule::shared().loaded())
    {
        std::fprintf(stderr, "cannot load the module: %s\n", PluginModule::shared().error().c_str());
        return 1;
    }
    HostWindow window(static_cast<int>(kWidth * kFactors[1]), static_cast<int>(kHeight * kFactors[1]));
    HostPointer pointer(window.handle());
    if (!window.valid() || !pointer.valid())
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
    const std::vector<std::string> factorArguments{"100", "200"};
    const std::vector<std::string> stateArguments{"closed", "open", "silent", "covered"};
    const std::vector<std::string> viewArguments{"design", "scope"};
    for (const float factor : kFactors)
    {
        if (!picked(argc, argv, std::to_string(std::lround(factor * 100.0f)), factorArguments))
            continue;
        for (const State state : kStates)
        {
            if (!picked(argc, argv, stateArgument(state), stateArguments))
                continue;
            for (const View view : kViews)
            {
                // Closed, the editor shows no view.
                if ((state == State::Closed && view == View::Scope) ||
                    !picked(argc, argv, viewArgument(view), viewArguments))
                    continue;
                std::vector<double> shares;
                for (int run = 0; run < kRuns; ++run)
                    shares.push_back(measureState(state, view, factor, window, instance, audio, pointer));
                std::sort(shares.begin(), shares.end());
                const std::string name = std::string(stateName(state)) +
                                         (state == State::Closed ? "" : std::string(", ") + viewArgument(view));
                std::printf("%3.0f %%: %-34s %5.1f %%  (runs: %.1f .. %.1f)\n", factor * 100.0f, name.c_str(),
                            shares[shares.size() / 2], shares.front(), shares.back());
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
