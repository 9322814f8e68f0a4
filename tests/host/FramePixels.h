#pragma once

#include "HostWindow.h"
#include "support/CapturedFrame.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

// A rectangle of window pixels from the top-left corner, right and bottom edges excluded.
struct FrameRegion
{
    int left;
    int top;
    int right;
    int bottom;

    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

// How many pixels of `region` (outside `except`) differ in red, green or blue; every pixel of
// the larger frame when the two differ in size.
inline int differingPixels(const CapturedFrame& a, const CapturedFrame& b, const FrameRegion& region,
                           const FrameRegion& except = {})
{
    if (a.width != b.width || a.height != b.height)
        return std::max(a.width * a.height, b.width * b.height);
    int differing = 0;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, a.height); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, a.width); ++x)
            differing += !except.contains(x, y) && !std::equal(a.pixel(x, y), a.pixel(x, y) + 3, b.pixel(x, y));
    return differing;
}

inline int differingPixels(const CapturedFrame& a, const CapturedFrame& b)
{
    return differingPixels(a, b, FrameRegion{0, 0, a.width, a.height});
}

// Mean absolute difference of red, green and blue together per pixel of `region` (clipped to
// the frames).
inline double meanDifference(const CapturedFrame& a, const CapturedFrame& b, const FrameRegion& region)
{
    double sum = 0.0;
    int count = 0;
    for (int y = std::max(region.top, 0); y < std::min({region.bottom, a.height, b.height}); ++y)
        for (int x = std::max(region.left, 0); x < std::min({region.right, a.width, b.width}); ++x, ++count)
            for (int c = 0; c < 3; ++c)
                sum += std::fabs(static_cast<double>(a.pixel(x, y)[c]) - b.pixel(x, y)[c]);
    return count > 0 ? sum / count : 0.0;
}

#if !defined(_WIN32)
// How many of the frame's pixels the X server does not show in the editor's window: all of
// them when it shows no window.
inline int unshownPixels(const HostWindow& window, const CapturedFrame& frame)
{
    const std::vector<unsigned char> shown = window.shownEditorPixels(frame.width, frame.height);
    if (shown.size() != static_cast<std::size_t>(frame.width) * frame.height * 3)
        return frame.width * frame.height;
    int unshown = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            unshown += !std::equal(frame.pixel(x, y), frame.pixel(x, y) + 3,
                                   &shown[(static_cast<std::size_t>(y) * frame.width + x) * 3]);
    return unshown;
}
#endif
