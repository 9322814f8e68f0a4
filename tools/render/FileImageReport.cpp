#include "FileImageReport.h"

#include "ImageReportAnalysis.h"

#include <algorithm>
#include <vector>

ImageReport analyseFile(const std::string& path, SoundFileReader& input, const ProgressReport& report)
{
    ImageReportAnalysis analysis(path, input.sampleRate());
    std::vector<float> interleaved;
    std::vector<float> left(kStreamFrames);
    std::vector<float> right(kStreamFrames);
    const auto channels = static_cast<std::size_t>(input.channelCount());
    const std::size_t rightChannel = channels > 1 ? 1 : 0;
    const double expectedTotal = static_cast<double>(std::max<std::size_t>(input.statedFrames(), 1));
    std::size_t done = 0;
    for (std::size_t count = kStreamFrames; count == kStreamFrames;)
    {
        count = input.read(interleaved, kStreamFrames);
        for (std::size_t i = 0; i < count; ++i)
        {
            left[i] = interleaved[i * channels];
            right[i] = interleaved[i * channels + rightChannel];
        }
        analysis.add(left.data(), right.data(), count);
        done += count;
        report(static_cast<double>(done) / expectedTotal);
    }
    return analysis.finish();
}
