#pragma once

#include "ImageReport.h"
#include "ImageReportAnalysis.h"
#include "OfflineRender.h"
#include "RenderOptions.h"

// Refuses, before any work, a report file whose folder does not exist: a long render should
// not end in a report that cannot be written.
void requireReportFolders(const RenderOptions& options);

// Writes the picture and the JSON the options ask for, and prints the headline numbers on
// stderr unless quiet. output is null when nothing was processed. Throws RenderFailure when
// a file cannot be written.
void deliverReport(const RenderOptions& options, const ImageReport& input, const ImageReport* output);

// The analyses of both sides of one render, fed through its taps.
class RenderImageReports
{
public:
    RenderImageReports(const RenderOptions& options, int sampleRate);

    StreamTaps taps();
    void deliver(const RenderOptions& options);

private:
    ImageReportAnalysis input;
    ImageReportAnalysis output;
};
