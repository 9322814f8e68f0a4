#include "ProgressBar.h"

#include <algorithm>

namespace
{

constexpr std::size_t kBarWidth = 40;

}  // namespace

std::string ProgressBar::line(double fraction)
{
    const double clamped = std::clamp(fraction, 0.0, 1.0);
    const auto filled = static_cast<std::size_t>(clamped * kBarWidth);
    std::string text = "[";
    text.append(filled, '#');
    text.append(kBarWidth - filled, '.');
    text += "] ";
    text += std::to_string(static_cast<int>(clamped * 100.0));
    text += '%';
    return text;
}

void ProgressBar::show(double fraction)
{
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    if (percent == shownPercent)
        return;
    shownPercent = percent;
    std::fprintf(stream, "\r%s %s", work, line(fraction).c_str());
    std::fflush(stream);
}

void ProgressBar::finish()
{
    if (shownPercent < 0)
        return;
    std::fprintf(stream, "\r\033[K");
    std::fflush(stream);
    shownPercent = -1;
}
