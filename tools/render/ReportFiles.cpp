#include "ReportFiles.h"

#include "PngFile.h"
#include "RenderErrors.h"
#include "ReportJson.h"
#include "ReportPicture.h"
#include "ReportText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace
{

void requireFolderOf(const std::string& path)
{
    if (path.empty())
        return;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        throw RenderFailure(path + ": cannot write the report there, no such folder");
}

void writeTextFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
        throw RenderFailure(path + ": cannot write the report");
}

}  // namespace

void requireReportFolders(const RenderOptions& options)
{
    requireFolderOf(options.reportPath);
    requireFolderOf(options.reportJsonPath);
}

void deliverReport(const RenderOptions& options, const ImageReport& input, const ImageReport* output)
{
    if (!options.reportPath.empty())
        writePngFile(options.reportPath, drawReportPicture(input, output));
    if (!options.reportJsonPath.empty())
        writeTextFile(options.reportJsonPath, reportJson(input, output));
    if (!options.quiet)
        std::fputs(reportText(input, output).c_str(), stderr);
}

RenderImageReports::RenderImageReports(const RenderOptions& options, int sampleRate)
    : input(options.inputPath, sampleRate), output(options.outputPath, sampleRate)
{
}

StreamTaps RenderImageReports::taps()
{
    return {[this](const float* left, const float* right, std::size_t frames) { input.add(left, right, frames); },
            [this](const float* left, const float* right, std::size_t frames) { output.add(left, right, frames); }};
}

void RenderImageReports::deliver(const RenderOptions& options)
{
    const ImageReport inputReport = input.finish();
    const ImageReport outputReport = output.finish();
    deliverReport(options, inputReport, &outputReport);
}
