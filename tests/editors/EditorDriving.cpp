#include "EditorDriving.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

void turnLoop(FormatEditor& editor, HostWindow& window, int turns)
{
    for (int i = 0; i < turns; ++i)
    {
        window.pumpMessages();
        editor.turnLoop();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

CapturedFrame presentedFrame(FormatEditor& editor, HostWindow& window)
{
    CapturedFrame frame = CapturedFrame::read();
    for (int attempt = 0; attempt < 500 && frame.width == 0; ++attempt)
    {
        turnLoop(editor, window, 1);
        frame = CapturedFrame::read();
    }
    return frame;
}

const layout::Row& layoutRow(const std::string& name)
{
    for (const layout::Row& candidate : layout::controlRows())
    {
        if (name == candidate.name)
            return candidate;
    }
    throw std::runtime_error("no layout row " + name);
}

WindowPoint windowPoint(float relativeX, float relativeY)
{
    const float sceneX = layout::leftEdge(kEditorWidth) + relativeX;
    const float sceneY = layout::bottomEdge(kEditorHeight) + relativeY;
    return {static_cast<int>(std::lround(kEditorWidth / 2.0f + sceneX)),
            static_cast<int>(std::lround(kEditorHeight / 2.0f - sceneY))};
}

WindowPoint centreOf(const layout::Row& control)
{
    return windowPoint(control.centre[0], control.centre[1]);
}

void dragUp(FormatEditor& editor, HostWindow& window, HostPointer& pointer, const layout::Row& control, int pixels)
{
    const WindowPoint from = centreOf(control);
    pointer.moveTo(from.x, from.yFromTop);
    turnLoop(editor, window, 5);
    pointer.press(HostPointer::Left);
    turnLoop(editor, window, 5);
    for (int step = 1; step <= 4; ++step)
    {
        pointer.moveTo(from.x, from.yFromTop - pixels * step / 4);
        turnLoop(editor, window, 3);
    }
    pointer.release(HostPointer::Left);
    turnLoop(editor, window, 10);
}

void click(FormatEditor& editor, HostWindow& window, HostPointer& pointer, WindowPoint at)
{
    pointer.moveTo(at.x, at.yFromTop);
    turnLoop(editor, window, 4);
    pointer.press(HostPointer::Left);
    turnLoop(editor, window, 4);
    pointer.release(HostPointer::Left);
    turnLoop(editor, window, 6);
}

double meanDifference(const CapturedFrame& a, const CapturedFrame& b, int left, int top, int right, int bottom)
{
    double sum = 0.0;
    int count = 0;
    for (int y = std::max(top, 0); y < std::min({bottom, a.height, b.height}); ++y)
    {
        for (int x = std::max(left, 0); x < std::min({right, a.width, b.width}); ++x)
        {
            for (int c = 0; c < 3; ++c)
                sum += std::fabs(static_cast<double>(a.pixel(x, y)[c]) - b.pixel(x, y)[c]);
            ++count;
        }
    }
    return count > 0 ? sum / count : 0.0;
}

void expectOneGesture(const std::vector<HostEdit>& edits, int parameter, double valueNow)
{
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front().step, HostEdit::Step::begin);
    EXPECT_EQ(edits.back().step, HostEdit::Step::end);
    for (std::size_t i = 1; i + 1 < edits.size(); ++i)
        EXPECT_EQ(edits[i].step, HostEdit::Step::value) << i;
    for (const HostEdit& edit : edits)
        EXPECT_EQ(edit.parameter, parameter);
    EXPECT_FLOAT_EQ(static_cast<float>(edits[edits.size() - 2].value), static_cast<float>(valueNow));
}
