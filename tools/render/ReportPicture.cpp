#include "ReportPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace
{

constexpr int kPageWidth = 1600;
constexpr int kPageHeight = 1000;
constexpr int kHalf = kPageWidth / 2;

// Dark like the product's editor; input and output in two colours that stay apart for
// colour-blind readers (blue and orange).
constexpr Colour kBackground{18, 20, 24};
constexpr Colour kPanel{28, 31, 38};
constexpr Colour kGrid{50, 54, 64};
constexpr Colour kAxis{115, 121, 134};
constexpr Colour kText{222, 226, 232};
constexpr Colour kDim{140, 146, 158};
constexpr Colour kInputColour{90, 190, 255};
constexpr Colour kOutputColour{255, 160, 60};

// The ISO band centres every report's band axis shows, whatever the sample rate.
constexpr double kBandAxis[] = {25,   31.5, 40,   50,   63,   80,   100,   125,   160,   200,
                                250,  315,  400,  500,  630,  800,  1000,  1250,  1600,  2000,
                                2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
constexpr int kBandSlots = static_cast<int>(sizeof(kBandAxis) / sizeof(kBandAxis[0]));

// The band plot's log scale of side/mid energy.
constexpr double kNarrowestShown = 0.001;
constexpr double kWidestShown = 100.0;

struct Box
{
    int x;
    int y;
    int width;
    int height;
};

std::string formatted(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string fileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

void legend(Canvas& canvas, int right, int y, bool withOutput)
{
    int x = right - (withOutput ? 230 : 110);
    canvas.fill(x, y + 4, 24, 6, kInputColour);
    canvas.text(x + 32, y, "input", kText);
    if (!withOutput)
        return;
    x += 110;
    canvas.fill(x, y + 4, 24, 6, kOutputColour);
    canvas.text(x + 32, y, "output", kText);
}

// Brighter where the point occurred more often: the logarithm of the count against the
// largest, so the rare outer points still show.
void drawDensity(Canvas& canvas, const GoniometerDensity& density, Box plot, Colour colour)
{
    const double largest = std::log1p(static_cast<double>(density.largestCount()));
    for (int y = 0; y < plot.height; ++y)
    {
        const int row = (plot.height - 1 - y) * GoniometerDensity::kCells / plot.height;
        for (int x = 0; x < plot.width; ++x)
        {
            const std::uint64_t count = density.count(x * GoniometerDensity::kCells / plot.width, row);
            if (count == 0 || largest <= 0.0)
                continue;
            const auto shade = static_cast<float>(std::log1p(static_cast<double>(count)) / largest);
            canvas.blend(plot.x + x, plot.y + y, colour, 0.2f + 0.8f * shade);
        }
    }
}

void drawGoniometer(Canvas& canvas, const GoniometerDensity& density, Box plot, Colour colour)
{
    canvas.fill(plot.x, plot.y, plot.width, plot.height, kBackground);
    const int centreX = plot.x + plot.width / 2;
    const int centreY = plot.y + plot.height / 2;
    // Mid up, side across; left alone leans up to the left, right alone up to the right.
    canvas.line(centreX, plot.y, centreX, plot.y + plot.height - 1, kGrid);
    canvas.line(plot.x, centreY, plot.x + plot.width - 1, centreY, kGrid);
    canvas.line(plot.x, plot.y, plot.x + plot.width - 1, plot.y + plot.height - 1, kGrid);
    canvas.line(plot.x + plot.width - 1, plot.y, plot.x, plot.y + plot.height - 1, kGrid);
    drawDensity(canvas, density, plot, colour);
    canvas.frame(plot.x - 1, plot.y - 1, plot.width + 2, plot.height + 2, kAxis);
    canvas.text(centreX + 6, plot.y + 6, "+M", kDim);
    canvas.text(plot.x + 6, plot.y + 6, "L", kDim);
    canvas.text(plot.x + plot.width - 16, plot.y + 6, "R", kDim);
    canvas.text(plot.x + plot.width - 28, centreY + 6, "+S", kDim);
    canvas.text(plot.x + 6, centreY + 6, "-S", kDim);
    canvas.text(centreX + 6, plot.y + plot.height - 20, "-M", kDim);
}

void drawBalanceBar(Canvas& canvas, int x, int y, int width, double balance, Colour colour)
{
    canvas.text(x, y, "L", kDim);
    canvas.text(x + width - 10, y, "R", kDim);
    const int left = x + 18;
    const int span = width - 36;
    canvas.fill(left, y + 6, span, 2, kAxis);
    canvas.fill(left + span / 2, y, 2, 14, kAxis);
    const int marker = left + static_cast<int>((std::clamp(balance, -1.0, 1.0) + 1.0) * 0.5 * span);
    canvas.fill(marker - 3, y - 2, 7, 18, colour);
}

void drawNumber(Canvas& canvas, int x, int& y, const std::string& label, const std::string& value, Colour colour)
{
    canvas.text(x, y, label, kDim);
    canvas.text(x, y + 20, value, colour, 3);
    y += 56;
}

void drawSide(Canvas& canvas, int left, const char* title, const ImageReport& report, float range, Colour colour)
{
    canvas.fill(left + 20, 80, kHalf - 40, 480, kPanel);
    canvas.text(left + 40, 92, title, colour, 3);
    canvas.text(left + 40 + Canvas::textWidth(title, 3) + 16, 96, fileName(report.path), kText);

    const Box plot{left + 40, 126, 380, 380};
    drawGoniometer(canvas, report.density.widenedTo(range), plot, colour);
    canvas.text(plot.x, plot.y + plot.height + 10, "plot edge: " + formatted("%.1f", 20.0 * std::log10(range)) + " dBFS",
                kDim);
    canvas.text(plot.x, plot.y + plot.height + 30, "brighter: more often (log)", kDim);

    const int x = left + 450;
    int y = 130;
    drawNumber(canvas, x, y, "mean correlation", formatted("%+.2f", report.meanCorrelation), colour);
    drawNumber(canvas, x, y, "lowest 1 s correlation",
               formatted("%+.2f", report.lowestCorrelation) + " at " + std::to_string(report.lowestCorrelationSecond) +
                   " s",
               colour);
    drawNumber(canvas, x, y, "width (side/mid energy)", formatted("%.2f", report.width), colour);
    drawNumber(canvas, x, y, "balance (-1 L .. +1 R)", formatted("%+.2f", report.balance), colour);
    drawBalanceBar(canvas, x, y - 2, 300, report.balance, colour);
    y += 30;
    drawNumber(canvas, x, y, "level (RMS)", formatted("%.1f dBFS", report.levelDb), colour);
    drawNumber(canvas, x, y, "peak", formatted("%.1f dBFS", report.peakDb), colour);
    canvas.text(x, y, formatted("%.1f s", report.seconds) + ", " + std::to_string(report.sampleRate) + " Hz", kDim);
}

void drawNothingProcessed(Canvas& canvas)
{
    canvas.fill(kHalf + 20, 80, kHalf - 40, 480, kPanel);
    canvas.text(kHalf + 60, 280, "--analyze-only: nothing processed.", kText);
    canvas.text(kHalf + 60, 310, "This report shows the input alone.", kDim);
}

// A tick step that gives at most ten ticks over the length.
double secondsStep(double seconds)
{
    for (const double step : {1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0, 120.0, 300.0, 600.0, 1200.0, 1800.0})
        if (seconds / step <= 10.0)
            return step;
    return 3600.0;
}

void drawCorrelationSeries(Canvas& canvas, const ImageReport& report, Box plot, double seconds, Colour colour)
{
    const auto xOf = [&](double second) { return plot.x + static_cast<int>(second / seconds * plot.width); };
    const auto yOf = [&](double value) { return plot.y + static_cast<int>((1.0 - value) * 0.5 * plot.height); };
    int lastX = 0;
    int lastY = 0;
    bool joined = false;
    for (std::size_t second = 0; second < report.correlationPerSecond.size(); ++second)
    {
        if (report.secondIsSilent[second])
        {
            joined = false;
            continue;
        }
        // Each value stands for its whole second: drawn across it.
        const int y = yOf(report.correlationPerSecond[second]);
        const int from = xOf(static_cast<double>(second));
        const int to = xOf(std::min(static_cast<double>(second + 1), seconds));
        if (joined)
            canvas.line(lastX, lastY, from, y, colour, 2);
        canvas.line(from, y, to, y, colour, 2);
        lastX = to;
        lastY = y;
        joined = true;
    }
    if (report.nonSilentSeconds == 0)
        return;
    const int markX = xOf(report.lowestCorrelationSecond + 0.5);
    const int markY = yOf(report.lowestCorrelation);
    canvas.dot(markX, markY, 6, colour);
    canvas.dot(markX, markY, 3, kBackground);
    const std::string label = "lowest " + formatted("%+.2f", report.lowestCorrelation);
    const int labelX = std::clamp(markX - Canvas::textWidth(label) / 2, plot.x + 4,
                                  plot.x + plot.width - Canvas::textWidth(label) - 4);
    canvas.text(labelX, markY + (markY > plot.y + plot.height - 40 ? -28 : 14), label, colour);
}

void drawCorrelationPlot(Canvas& canvas, const ImageReport& input, const ImageReport* output)
{
    canvas.fill(20, 580, kHalf - 30, 400, kPanel);
    canvas.text(40, 592, "correlation per second", kText);
    legend(canvas, kHalf - 30, 592, output != nullptr);
    const Box plot{100, 648, kHalf - 150, 272};
    canvas.fill(plot.x, plot.y, plot.width, plot.height, kBackground);
    for (const double value : {1.0, 0.5, 0.0, -0.5, -1.0})
    {
        const int y = plot.y + static_cast<int>((1.0 - value) * 0.5 * (plot.height - 1));
        canvas.fill(plot.x, y, plot.width, 1, value == 0.0 ? kAxis : kGrid);
        const std::string label = formatted("%+.1f", value);
        canvas.text(plot.x - 10 - Canvas::textWidth(label), y - 7, label, kDim);
    }
    const double seconds = std::max({1.0, input.seconds, output != nullptr ? output->seconds : 0.0});
    const double step = secondsStep(seconds);
    for (double tick = 0.0; tick <= seconds + 1e-9; tick += step)
    {
        const int x = plot.x + static_cast<int>(tick / seconds * (plot.width - 1));
        canvas.fill(x, plot.y + plot.height, 1, 6, kAxis);
        const std::string label = formatted("%g", tick);
        canvas.text(x - Canvas::textWidth(label) / 2, plot.y + plot.height + 10, label, kDim);
    }
    canvas.text(plot.x + plot.width / 2 - Canvas::textWidth("time (s)") / 2, plot.y + plot.height + 32, "time (s)",
                kDim);
    canvas.text(40, 612, "+1 mono, 0 unrelated, -1 out of phase", kDim);
    drawCorrelationSeries(canvas, input, plot, seconds, kInputColour);
    if (output != nullptr)
        drawCorrelationSeries(canvas, *output, plot, seconds, kOutputColour);
    canvas.frame(plot.x - 1, plot.y - 1, plot.width + 2, plot.height + 2, kAxis);
}

void drawBandSeries(Canvas& canvas, const ImageReport& report, Box plot, Colour colour)
{
    const double decades = std::log10(kWidestShown / kNarrowestShown);
    int lastX = 0;
    int lastY = 0;
    bool joined = false;
    for (std::size_t band = 0; band < report.bandCentres.size(); ++band)
    {
        const double width = report.bandWidths[band];
        if (width <= 0.0)
        {
            joined = false;
            continue;
        }
        const int slot =
            static_cast<int>(std::find(kBandAxis, kBandAxis + kBandSlots, report.bandCentres[band]) - kBandAxis);
        const int x = plot.x + (2 * slot + 1) * plot.width / (2 * kBandSlots);
        const double shown = std::clamp(width, kNarrowestShown, kWidestShown);
        const int y = plot.y + static_cast<int>(std::log10(kWidestShown / shown) / decades * (plot.height - 1));
        if (joined)
            canvas.line(lastX, lastY, x, y, colour, 2);
        canvas.dot(x, y, 3, colour);
        lastX = x;
        lastY = y;
        joined = true;
    }
}

void drawBandPlot(Canvas& canvas, const ImageReport& input, const ImageReport* output)
{
    canvas.fill(kHalf + 10, 580, kHalf - 30, 400, kPanel);
    canvas.text(kHalf + 30, 592, "width per third-octave band", kText);
    legend(canvas, kPageWidth - 40, 592, output != nullptr);
    canvas.text(kHalf + 30, 612, "side/mid energy: 0 mono, 1 as much side as mid", kDim);
    const Box plot{kHalf + 110, 648, kHalf - 160, 272};
    canvas.fill(plot.x, plot.y, plot.width, plot.height, kBackground);
    const double decades = std::log10(kWidestShown / kNarrowestShown);
    int decade = 0;
    for (const char* label : {"100", "10", "1", "0.1", "0.01", "0.001"})
    {
        const int y = plot.y + static_cast<int>(decade / decades * (plot.height - 1));
        canvas.fill(plot.x, y, plot.width, 1, std::string(label) == "1" ? kAxis : kGrid);
        canvas.text(plot.x - 10 - Canvas::textWidth(label), y - 7, label, kDim);
        ++decade;
    }
    for (int slot = 1; slot < kBandSlots; slot += 3)
    {
        const int x = plot.x + (2 * slot + 1) * plot.width / (2 * kBandSlots);
        canvas.fill(x, plot.y + plot.height, 1, 6, kAxis);
        const double hertz = kBandAxis[slot];
        const std::string label = hertz >= 1000.0 ? formatted("%gk", hertz / 1000.0) : formatted("%g", hertz);
        canvas.text(x - Canvas::textWidth(label) / 2, plot.y + plot.height + 10, label, kDim);
    }
    canvas.text(plot.x + plot.width / 2 - Canvas::textWidth("frequency (Hz)") / 2, plot.y + plot.height + 32,
                "frequency (Hz)", kDim);
    drawBandSeries(canvas, input, plot, kInputColour);
    if (output != nullptr)
        drawBandSeries(canvas, *output, plot, kOutputColour);
    canvas.frame(plot.x - 1, plot.y - 1, plot.width + 2, plot.height + 2, kAxis);
}

}  // namespace

Canvas drawReportPicture(const ImageReport& input, const ImageReport* output)
{
    Canvas canvas(kPageWidth, kPageHeight, kBackground);
    canvas.text(30, 22, "Vantor Pro stereo report", kText, 4);
    canvas.text(30 + Canvas::textWidth("Vantor Pro stereo report", 4) + 24, 34,
                output != nullptr ? "input (left) and output (right)" : "input only", kDim);
    // Both goniometers on one scale, so the eye compares like with like.
    const float range = std::max(input.density.range(), output != nullptr ? output->density.range() : 0.0f);
    drawSide(canvas, 0, "INPUT", input, range, kInputColour);
    if (output != nullptr)
        drawSide(canvas, kHalf, "OUTPUT", *output, range, kOutputColour);
    else
        drawNothingProcessed(canvas);
    drawCorrelationPlot(canvas, input, output);
    drawBandPlot(canvas, input, output);
    return canvas;
}
