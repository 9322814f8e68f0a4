#include "OfflineRender.h"

#include "BackgroundJob.h"

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

// One pass's audio both ways, and how much of the output the file keeps.
struct Pass
{
    explicit Pass(std::size_t frames) : in(frames), out(frames), interleavedOut(2 * frames) {}

    StereoPiece in;
    StereoPiece out;
    std::vector<float> interleavedIn;
    std::vector<float> interleavedOut;
    std::size_t count = 0;
    std::size_t dropped = 0;
    std::size_t kept = 0;
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
                                   const ProgressReport& report, const std::vector<TimedChange>& changes,
                                   const StreamTaps& taps)
{
    auto nextChange = changes.begin();
    session.resume();
    const std::size_t skipped = align ? static_cast<std::size_t>(std::max(session.latency(), 0)) : 0;
    const auto block = static_cast<std::size_t>(session.blockSize());
    // Whole blocks per pass, so the plug-in sees the same blocks as with the file in one piece.
    const std::size_t passFrames = (kStreamFrames + block - 1) / block * block;
    const double expectedTotal = static_cast<double>(std::max<std::size_t>(input.statedFrames() + skipped, 1));

    Pass passes[2] = {Pass(passFrames), Pass(passFrames)};
    StereoStatsAccumulator inputStats;
    StereoStatsAccumulator outputStats;
    StreamedRender result;
    std::size_t tailLeft = skipped;
    bool inputEnded = false;

    // Only one of these runs at a time, here or in the background, so what they share
    // needs no lock.
    const auto readPass = [&](Pass& pass)
    {
        std::size_t count = 0;
        if (!inputEnded)
        {
            count = input.read(pass.interleavedIn, passFrames);
            deinterleave(pass.interleavedIn, input.channelCount(), count, pass.in);
            inputStats.add(pass.in.left.data(), pass.in.right.data(), count);
            if (taps.input)
                taps.input(pass.in.left.data(), pass.in.right.data(), count);
            result.frames += count;
            inputEnded = count < passFrames;
        }
        if (inputEnded)
        {
            const std::size_t silence = std::min(passFrames - count, tailLeft);
            std::fill_n(pass.in.left.begin() + static_cast<std::ptrdiff_t>(count), silence, 0.0f);
            std::fill_n(pass.in.right.begin() + static_cast<std::ptrdiff_t>(count), silence, 0.0f);
            tailLeft -= silence;
            count += silence;
        }
        pass.count = count;
    };
    const auto writePass = [&](Pass& pass)
    {
        interleave(pass.out, pass.dropped, pass.kept, pass.interleavedOut);
        output.write(pass.interleavedOut.data(), pass.kept);
        outputStats.add(pass.out.left.data() + pass.dropped, pass.out.right.data() + pass.dropped, pass.kept);
        if (taps.output)
            taps.output(pass.out.left.data() + pass.dropped, pass.out.right.data() + pass.dropped, pass.kept);
    };

    // While the plug-in processes one pass, the file side writes the one before and reads
    // the one after: the disk and the conversions cost no time of the plug-in's thread.
    Pass* current = &passes[0];
    Pass* other = &passes[1];
    bool otherHoldsOutput = false;
    std::size_t fed = 0;  // frames given to the plug-in, tail included
    BackgroundJob fileSide;
    readPass(*current);
    while (current->count > 0)
    {
        fileSide.start(
            [&, other, writeFirst = otherHoldsOutput]
            {
                if (writeFirst)
                    writePass(*other);
                readPass(*other);
            });
        for (std::size_t start = 0; start < current->count; start += block)
        {
            const std::size_t frames = std::min(block, current->count - start);
            for (; nextChange != changes.end() && nextChange->frame < fed + start + frames; ++nextChange)
            {
                const std::size_t at = std::max(nextChange->frame, fed + start) - (fed + start);
                session.scheduleParameter(nextChange->index, nextChange->value, static_cast<int>(at));
            }
            session.process(current->in.left.data() + start, current->in.right.data() + start,
                            current->out.left.data() + start, current->out.right.data() + start,
                            static_cast<int>(frames));
            report(static_cast<double>(fed + start + frames) / expectedTotal);
        }
        // The first `skipped` frames the plug-in gives are its latency, not output.
        current->dropped = std::min(current->count, skipped - std::min(fed, skipped));
        current->kept = current->count - current->dropped;
        fed += current->count;
        fileSide.wait();
        std::swap(current, other);
        otherHoldsOutput = true;
    }
    if (otherHoldsOutput)
        writePass(*other);
    session.suspend();
    result.input = inputStats.result();
    result.output = outputStats.result();
    return result;
}
