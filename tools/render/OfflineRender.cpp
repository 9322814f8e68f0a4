#include "OfflineRender.h"

#include <algorithm>
#include <vector>

namespace
{

// Stereo audio for one pass, one vector per channel.
struct StereoPiece
{
    explicit StereoPiece(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}

    std::vector<float> left;
    std::vector<float> right;
};

void deinterleave(const std::vector<float>& interleaved, int channelCount, std::size_t frames, StereoPiece& piece)
{
    // Mono goes to both sides.
    const std::size_t step = static_cast<std::size_t>(channelCount);
    const std::size_t rightChannel = channelCount > 1 ? 1 : 0;
    for (std::size_t i = 0; i < frames; ++i)
    {
        piece.left[i] = interleaved[i * step];
        piece.right[i] = interleaved[i * step + rightChannel];
    }
}

void interleave(const StereoPiece& piece, std::size_t from, std::size_t frames, std::vector<float>& interleaved)
{
    for (std::size_t i = 0; i < frames; ++i)
    {
        interleaved[2 * i] = piece.left[from + i];
        interleaved[2 * i + 1] = piece.right[from + i];
    }
}

}  // namespace

StreamedRender renderThroughPlugin(PluginSession& session, SoundFileReader& input, SoundFileWriter& output, bool align,
                                   const ProgressReport& report)
{
    session.resume();
    const std::size_t skipped = align ? static_cast<std::size_t>(std::max(session.latency(), 0)) : 0;
    const auto block = static_cast<std::size_t>(session.blockSize());
    // Whole blocks per pass, so the plug-in sees the same blocks as with the file in one piece.
    const std::size_t passFrames = (kStreamFrames + block - 1) / block * block;
    const double expectedTotal = static_cast<double>(std::max<std::size_t>(input.statedFrames() + skipped, 1));

    StereoPiece in(passFrames);
    StereoPiece out(passFrames);
    std::vector<float> interleavedIn;
    std::vector<float> interleavedOut(2 * passFrames);
    StereoStatsAccumulator inputStats;
    StereoStatsAccumulator outputStats;
    StreamedRender result;
    std::size_t fed = 0;  // frames given to the plug-in, tail included
    std::size_t tailLeft = skipped;
    bool inputEnded = false;

    while (true)
    {
        std::size_t count = 0;
        if (!inputEnded)
        {
            count = input.read(interleavedIn, passFrames);
            deinterleave(interleavedIn, input.channelCount(), count, in);
            inputStats.add(in.left.data(), in.right.data(), count);
            result.frames += count;
            inputEnded = count < passFrames;
        }
        if (inputEnded)
        {
            const std::size_t silence = std::min(passFrames - count, tailLeft);
            std::fill_n(in.left.begin() + static_cast<std::ptrdiff_t>(count), silence, 0.0f);
            std::fill_n(in.right.begin() + static_cast<std::ptrdiff_t>(count), silence, 0.0f);
            tailLeft -= silence;
            count += silence;
        }
        if (count == 0)
            break;

        for (std::size_t start = 0; start < count; start += block)
        {
            const std::size_t frames = std::min(block, count - start);
            session.process(in.left.data() + start, in.right.data() + start, out.left.data() + start,
                            out.right.data() + start, static_cast<int>(frames));
            report(static_cast<double>(fed + start + frames) / expectedTotal);
        }

        // The first `skipped` frames the plug-in gives are its latency, not output.
        const std::size_t dropped = std::min(count, skipped - std::min(fed, skipped));
        const std::size_t kept = count - dropped;
        interleave(out, dropped, kept, interleavedOut);
        output.write(interleavedOut.data(), kept);
        outputStats.add(out.left.data() + dropped, out.right.data() + dropped, kept);
        fed += count;
    }
    session.suspend();
    result.input = inputStats.result();
    result.output = outputStats.result();
    return result;
}
