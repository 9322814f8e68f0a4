// vantor-render's stereo report on the demo, before and after the demo's setting (the main
// job's Stereo Width 0.8, Gain 0.4): its JSON holds what the report's analysis measures of the
// files, and --analyze-only measures the input alike.

#include "FileImageReport.h"
#include "RenderTestSupport.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace
{

// The number after "key": inside the object after "side": (the two sides share their keys).
double jsonNumber(const std::string& json, const std::string& side, const std::string& key)
{
    const std::size_t object = json.find("\"" + side + "\": {");
    const std::size_t at = json.find("\"" + key + "\": ", object);
    if (object == std::string::npos || at == std::string::npos)
        throw std::runtime_error("no " + side + "." + key + " in " + json);
    return std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

ImageReport analysed(const std::string& path)
{
    SoundFileReader reader(path);
    return analyseFile(path, reader, [](double) {});
}

void expectNumbersOf(const ImageReport& report, const std::string& json, const std::string& side)
{
    EXPECT_NEAR(jsonNumber(json, side, "correlation_mean"), report.meanCorrelation, 2e-4) << side;
    EXPECT_NEAR(jsonNumber(json, side, "correlation_lowest"), report.lowestCorrelation, 2e-4) << side;
    EXPECT_EQ(jsonNumber(json, side, "correlation_lowest_second"), report.lowestCorrelationSecond) << side;
    EXPECT_NEAR(jsonNumber(json, side, "width"), report.width, 2e-4) << side;
    EXPECT_NEAR(jsonNumber(json, side, "balance"), report.balance, 2e-4) << side;
    EXPECT_NEAR(jsonNumber(json, side, "level_dbfs_rms"), report.levelDb, 0.01) << side;
    EXPECT_NEAR(jsonNumber(json, side, "peak_dbfs"), report.peakDb, 0.01) << side;
}

TEST(RenderReport, TheDemoBeforeAndAfterItsSetting)
{
    const std::string wide = workPath("report-wide.wav");
    const std::string picture = workPath("report.png");
    const std::string json = workPath("report.json");
    const CommandResult rendered = runRender({demoInputPath(), wide, "--set", "Stereo Width=0.8", "--set", "Gain=0.4",
                                              "--align", "--report", picture, "--report-json", json});
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;

    const ImageReport input = analysed(demoInputPath());
    const ImageReport output = analysed(wide);
    const std::string numbers = fileText(json);
    expectNumbersOf(input, numbers, "input");
    expectNumbersOf(output, numbers, "output");
    // The demo's setting widens: less correlation, more side.
    EXPECT_LT(output.meanCorrelation, input.meanCorrelation - 0.2);
    EXPECT_GT(output.width, 2.0 * input.width);
    EXPECT_NE(rendered.err.find("output " + wide + ": correlation mean"), std::string::npos) << rendered.err;

    // One 1600 x 1000 page: the PNG signature, then IHDR's big-endian width and height.
    const std::string png = fileText(picture);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x06\x40\0\0\x03\xe8", 8));

    const std::string alone = workPath("report-input.json");
    const CommandResult analysedOnly = runRender({demoInputPath(), "--analyze-only", "--report-json", alone});
    ASSERT_EQ(analysedOnly.exitCode, 0) << analysedOnly.err;
    const std::string aloneNumbers = fileText(alone);
    expectNumbersOf(input, aloneNumbers, "input");
    EXPECT_NE(aloneNumbers.find("\"output\": null"), std::string::npos) << aloneNumbers;
}

}  // namespace
