// What opening the editor costs a host, in wall-clock milliseconds (and, less disturbed by
// other work on the machine, the process's CPU milliseconds, every thread counted):
// effEditOpen and the first frame after it (the host's message loop, then effEditIdle), at
// 100 % and 200 %, for the first opening in a fresh process, for reopenings of the same
// editor, and for a second instance's first opening while the first one's editor is open.
// Each run is a fresh process (this program started again with --one-process), so the first
// opening is measured as a host sees it. Also what the second instance's open editor adds
// to the process's resident memory.
// Mesa keeps the code it generates for shaders on disk (MESA_SHADER_CACHE_DIR). These runs
// share one cache that an unmeasured run filled, as on a machine where the editor opened
// before; on Linux the very first opening on a machine is measured apart, each run with an
// empty cache of its own. Beside them, the software renderer's own floor: a bare GL window's first
// triangle. Run under an X server (xvfb-run), or under Wine for the Windows build, with
// VANTOR_MODULE naming the module.
#include "BareGlFloor.h"
#include "BenchProcess.h"
#include "HostWindow.h"
#include "PluginHost.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
constexpr int kProcesses = 5;
constexpr int kReopenings = 5;
constexpr float kFactors[] = {1.0f, 2.0f};
#if defined(_WIN32)
// A Windows driver keeps a cache of its own; under Wine the variable does not reach Mesa.
constexpr bool kEmptyCacheMeasured = false;
#else
constexpr bool kEmptyCacheMeasured = true;
#endif

// Milliseconds for the opening call and for what draws the first frame after it (the host's
// message loop and its first idle call), wall clock and CPU.
struct Opening
{
    double open = 0.0;
    double firstFrame = 0.0;
    double openCpu = 0.0;
    double firstFrameCpu = 0.0;
    double total() const { return open + firstFrame; }
};
constexpr int kColumns = 4;

// Wall-clock and CPU milliseconds of a call.
template <typename Call> void timeCall(Call call, double& wallMs, double& cpuMs)
{
    const double cpuStart = processCpuMs();
    const auto start = std::chrono::steady_clock::now();
    call();
    wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    cpuMs = processCpuMs() - cpuStart;
}

Opening openAndDraw(HostWindow& window, EffectInstance& instance, float factor)
{
    instance.dispatch(effVendorSpecific, fourCharCode('P', 'r', 'e', 'S'), fourCharCode('A', 'e', 'C', 's'), nullptr,
                      factor);
    Opening opening;
    timeCall([&] { instance.dispatch(effEditOpen, 0, 0, window.handle()); }, opening.open, opening.openCpu);
    // Windows draws the first frame when the host's message loop hands the window its
    // WM_PAINT; X11 at the first idle call.
    timeCall(
        [&]
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
        },
        opening.firstFrame, opening.firstFrameCpu);
    return opening;
}

// One process's openings: the first, kReopenings more of the same editor, and a second
// instance's first while the first instance's editor stays open.
int measureOneProcess(float factor)
{
    HostWindow first(static_cast<int>(kWidth * factor), static_cast<int>(kHeight * factor));
    if (!first.valid())
    {
        std::fprintf(stderr, "no X server (run under xvfb-run)\n");
        return 1;
    }
    EffectInstance instance;
    const Opening initial = openAndDraw(first, instance, factor);
    std::vector<Opening> reopenings;
    for (int i = 0; i < kReopenings; ++i)
    {
        instance.dispatch(effEditClose);
        first.pumpMessages();
        reopenings.push_back(openAndDraw(first, instance, factor));
    }
    std::sort(reopenings.begin(), reopenings.end(),
              [](const Opening& a, const Opening& b) { return a.total() < b.total(); });
    const Opening reopening = reopenings[reopenings.size() / 2];
    // Made now: over the first window from the start, it would hide the first editor, which
    // then would draw no frame to measure.
    HostWindow second(static_cast<int>(kWidth * factor), static_cast<int>(kHeight * factor));
    EffectInstance other;
    const double residentBefore = residentMegabytes();
    const Opening secondInstance = openAndDraw(second, other, factor);
    const double secondEditorMegabytes = residentMegabytes() - residentBefore;
    other.dispatch(effEditClose);
    instance.dispatch(effEditClose);
    for (const Opening& opening : {initial, reopening, secondInstance})
        std::printf("%.2f %.2f %.2f %.2f ", opening.open, opening.firstFrame, opening.openCpu, opening.firstFrameCpu);
    std::printf("%.2f\n", secondEditorMegabytes);
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Runs this program again with the arguments, with Mesa's generated code kept in cacheFolder,
// and reads the numbers it prints; false when it fails.
bool runFreshProcess(const std::string& arguments, const std::filesystem::path& cacheFolder,
                     std::vector<double>& printed)
{
    // Mesa makes only the last folder of the path.
    std::error_code ignored;
    std::filesystem::create_directories(cacheFolder, ignored);
    setEnvironment("MESA_SHADER_CACHE_DIR", cacheFolder.string());
    std::FILE* child = popen(("\"" + ownExecutablePath() + "\" " + arguments).c_str(), "r");
    if (child == nullptr)
        return false;
    printed.clear();
    double value = 0.0;
    while (std::fscanf(child, "%lf", &value) == 1)
        printed.push_back(value);
    return pclose(child) == 0 && !printed.empty();
}

void printRow(float factor, const char* name, const double values[kColumns])
{
    std::printf("%3.0f %%: %-40s open %6.1f + first frame %6.1f = %6.1f ms  (CPU %6.1f + %6.1f = %6.1f ms)\n",
                factor * 100.0f, name, values[0], values[1], values[0] + values[1], values[2], values[3],
                values[2] + values[3]);
}

// Runs kProcesses fresh processes at the factor with the filled cache and kProcesses with an
// empty one each, and prints the medians of what they measured.
bool measureFreshProcesses(float factor, const std::filesystem::path& cacheRoot)
{
    constexpr int kRows = 3;
    const std::string arguments = "--one-process " + std::to_string(factor);
    std::array<std::vector<double>, kRows * kColumns> columns;
    std::array<std::vector<double>, kColumns> emptyCacheColumns;
    std::vector<double> secondEditorMegabytes;
    std::vector<double> printed;
    if (!runFreshProcess(arguments, cacheRoot / "filled", printed))
        return false;
    for (int run = 0; run < kProcesses; ++run)
    {
        if (!runFreshProcess(arguments, cacheRoot / "filled", printed) || printed.size() != columns.size() + 1)
            return false;
        for (std::size_t column = 0; column < columns.size(); ++column)
            columns[column].push_back(printed[column]);
        secondEditorMegabytes.push_back(printed.back());
        if (!kEmptyCacheMeasured)
            continue;
        const std::filesystem::path emptyCache =
            cacheRoot / ("empty-" + std::to_string(factor) + "-" + std::to_string(run));
        if (!runFreshProcess(arguments, emptyCache, printed) || printed.size() != columns.size() + 1)
            return false;
        for (std::size_t column = 0; column < emptyCacheColumns.size(); ++column)
            emptyCacheColumns[column].push_back(printed[column]);
    }
    const char* names[kRows] = {"first opening in a process", "reopening", "second instance's first opening"};
    for (int row = 0; row < kRows; ++row)
    {
        double values[kColumns];
        for (int column = 0; column < kColumns; ++column)
            values[column] = median(columns[static_cast<std::size_t>(row * kColumns + column)]);
        printRow(factor, names[row], values);
    }
    if (kEmptyCacheMeasured)
    {
        double values[kColumns];
        for (int column = 0; column < kColumns; ++column)
            values[column] = median(emptyCacheColumns[static_cast<std::size_t>(column)]);
        printRow(factor, "first opening, empty shader cache", values);
    }
    std::printf("%3.0f %%: the second instance's open editor adds %.1f MB resident\n", factor * 100.0f,
                median(secondEditorMegabytes));
    return true;
}

int measureAll()
{
    const std::filesystem::path cacheRoot =
        std::filesystem::temp_directory_path() / ("vantor-open-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::printf("medians of %d fresh processes (reopening: the median of %d in each)\n", kProcesses, kReopenings);
    std::vector<double> bare;
    std::vector<double> printed;
    for (int run = 0; run <= kProcesses; ++run)
    {
        // The first fills the cache.
        if (!runFreshProcess("--bare-gl", cacheRoot / "filled", printed) || printed[0] < 0.0)
        {
            std::fprintf(stderr, "the bare GL process failed\n");
            return 1;
        }
        if (run > 0)
            bare.push_back(printed[0]);
    }
    std::printf("the renderer's floor: a bare GL window's first triangle in a fresh process %.1f ms\n", median(bare));
    bool measured = true;
    for (const float factor : kFactors)
        measured = measured && measureFreshProcesses(factor, cacheRoot);
    std::error_code ignored;
    std::filesystem::remove_all(cacheRoot, ignored);
    if (!measured)
    {
        std::fprintf(stderr, "a measuring process failed\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!PluginModule::shared().loaded())
    {
        std::fprintf(stderr, "cannot load the module: %s\n", PluginModule::shared().error().c_str());
        return 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--one-process") == 0)
        return measureOneProcess(std::strtof(argv[2], nullptr));
    if (argc == 2 && std::strcmp(argv[1], "--bare-gl") == 0)
    {
        std::printf("%f\n", bareGlFirstTriangleMs(kWidth, kHeight));
        return 0;
    }
    return measureAll();
}
