// What opening the editor costs a host, in wall-clock milliseconds (and, less disturbed by
// other work on the machine, the process's CPU milliseconds, every thread counted): effEditOpen
// and the first effEditIdle (which draws the first frame), at 100 % and 200 %, for the first opening in a
// fresh process, for reopenings of the same editor, and for a second instance's first
// opening while the first one's editor is open. Each run is a fresh process (this program
// started again with --one-process), so the first opening is measured as a host sees it.
// Beside them, the software renderer's own floor: a bare GL window's first triangle.
// Run under an X server (xvfb-run) with VANTOR_MODULE naming the module.
#include "HostWindow.h"
#include "PluginHost.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
constexpr int kProcesses = 5;
constexpr int kReopenings = 5;
constexpr float kFactors[] = {1.0f, 2.0f};

// Milliseconds for the opening call and for the first idle call after it, wall clock and CPU.
struct Opening
{
    double open = 0.0;
    double firstIdle = 0.0;
    double openCpu = 0.0;
    double firstIdleCpu = 0.0;
    double total() const { return open + firstIdle; }
};
constexpr int kColumns = 4;

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

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
    window.pumpMessages();
    timeCall([&] { instance.dispatch(effEditIdle); }, opening.firstIdle, opening.firstIdleCpu);
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
    const Opening secondInstance = openAndDraw(second, other, factor);
    other.dispatch(effEditClose);
    instance.dispatch(effEditClose);
    for (const Opening& opening : {initial, reopening, secondInstance})
        std::printf("%.2f %.2f %.2f %.2f ", opening.open, opening.firstIdle, opening.openCpu, opening.firstIdleCpu);
    std::printf("\n");
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

std::string ownPath()
{
    std::array<char, 4096> path{};
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    return length > 0 ? std::string(path.data(), static_cast<std::size_t>(length)) : std::string();
}

// The renderer's own floor, for comparison: a bare GLX context and window of the editor's
// size, and one triangle drawn and shown, in wall-clock milliseconds from opening the display.
int measureBareGl()
{
    const auto start = std::chrono::steady_clock::now();
    Display* display = XOpenDisplay(nullptr);
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 24, GLX_STENCIL_SIZE, 8, None};
    XVisualInfo* visual = display != nullptr ? glXChooseVisual(display, DefaultScreen(display), attributes) : nullptr;
    if (visual == nullptr)
        return 1;
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    XSetWindowAttributes windowAttributes{};
    windowAttributes.colormap =
        XCreateColormap(display, RootWindow(display, visual->screen), visual->visual, AllocNone);
    const Window window = XCreateWindow(display, RootWindow(display, visual->screen), 0, 0, kWidth, kHeight, 0,
                                        visual->depth, InputOutput, visual->visual, CWColormap, &windowAttributes);
    XMapWindow(display, window);
    glXMakeCurrent(display, window, context);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    glXSwapBuffers(display, window);
    glFinish();
    std::printf("%f\n", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    return 0;
}

// Runs kProcesses fresh processes at the factor and prints the medians of what they measured.
bool measureFreshProcesses(const std::string& self, float factor)
{
    constexpr int kRows = 3;
    std::array<std::vector<double>, kRows * kColumns> columns;
    for (int run = 0; run < kProcesses; ++run)
    {
        const std::string command = "'" + self + "' --one-process " + std::to_string(factor);
        std::FILE* child = popen(command.c_str(), "r");
        if (child == nullptr)
            return false;
        bool read = true;
        for (std::vector<double>& column : columns)
        {
            double value = 0.0;
            read = read && std::fscanf(child, "%lf", &value) == 1;
            column.push_back(value);
        }
        if (pclose(child) != 0 || !read)
            return false;
    }
    const char* names[kRows] = {"first opening in a process", "reopening", "second instance's first opening"};
    for (int row = 0; row < kRows; ++row)
    {
        double values[kColumns];
        for (int column = 0; column < kColumns; ++column)
            values[column] = median(columns[static_cast<std::size_t>(row * kColumns + column)]);
        std::printf("%3.0f %%: %-32s open %6.1f + first idle %6.1f = %6.1f ms  (CPU %6.1f + %6.1f = %6.1f ms)\n",
                    factor * 100.0f, names[row], values[0], values[1], values[0] + values[1], values[2], values[3],
                    values[2] + values[3]);
    }
    return true;
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
        return measureBareGl();
    std::printf("medians of %d fresh processes (reopening: the median of %d in each)\n", kProcesses, kReopenings);
    std::vector<double> bare;
    for (int run = 0; run < kProcesses; ++run)
    {
        std::FILE* child = popen(("'" + ownPath() + "' --bare-gl").c_str(), "r");
        double value = 0.0;
        if (child == nullptr || std::fscanf(child, "%lf", &value) != 1 || pclose(child) != 0)
        {
            std::fprintf(stderr, "the bare GL process failed\n");
            return 1;
        }
        bare.push_back(value);
    }
    std::printf("the renderer's floor: a bare GL window's first triangle in a fresh process %.1f ms\n", median(bare));
    for (const float factor : kFactors)
    {
        if (!measureFreshProcesses(ownPath(), factor))
        {
            std::fprintf(stderr, "a measuring process failed\n");
            return 1;
        }
    }
    return 0;
}
