#pragma once

#include "SignalStats.h"

#include <string>

struct RenderReport
{
    std::string outputPath;
    double audioSeconds = 0.0;
    double wallSeconds = 0.0;
    StereoStats input;
    StereoStats output;
};

// The one line vantor-render prints when it is done.
std::string summaryLine(const RenderReport& report);
