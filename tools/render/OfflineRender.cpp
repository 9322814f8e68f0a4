#include "OfflineRender.h"

#include <algorithm>

AudioClip renderThroughPlugin(PluginSession& session, const AudioClip& input, bool align, const ProgressReport& report)
{
    const std::size_t frames = input.frames();
    AudioClip output;
    output.sampleRate = input.sampleRate;
    output.channels.assign(2, std::vector<float>(frames, 0.0f));

    session.resume();
    const std::size_t skipped = align ? static_cast<std::size_t>(std::max(session.latency(), 0)) : 0;
    const std::size_t total = frames + skipped;
    const auto block = static_cast<std::size_t>(session.blockSize());
    std::vector<float> inLeft(block), inRight(block), outLeft(block), outRight(block);

    for (std::size_t start = 0; start < total; start += block)
    {
        const std::size_t count = std::min(block, total - start);
        for (std::size_t i = 0; i < count; ++i)
        {
            const bool insideInput = start + i < frames;
            inLeft[i] = insideInput ? input.channels[0][start + i] : 0.0f;
            inRight[i] = insideInput ? input.channels[1][start + i] : 0.0f;
        }
        session.process(inLeft.data(), inRight.data(), outLeft.data(), outRight.data(), static_cast<int>(count));
        for (std::size_t i = 0; i < count; ++i)
        {
            if (start + i < skipped)
                continue;
            output.channels[0][start + i - skipped] = outLeft[i];
            output.channels[1][start + i - skipped] = outRight[i];
        }
        report(static_cast<double>(start + count) / static_cast<double>(total));
    }
    session.suspend();
    return output;
}
