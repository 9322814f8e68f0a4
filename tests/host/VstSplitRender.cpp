#include "VstSplitRender.h"

#include "PluginHost.h"

#include <algorithm>

void processSplitting(const EffectInstance& vst, StereoSignal& signal, const std::vector<BlockChange>& changes,
                      std::size_t blockSize)
{
    for (std::size_t start = 0, block = 0; start < signal.left.size(); start += blockSize, ++block)
    {
        const auto frames = std::min(blockSize, signal.left.size() - start);
        std::size_t done = 0;
        for (const BlockChange& change : changes)
        {
            if (change.block != block)
                continue;
            if (change.offset > done)
            {
                float* channels[2] = {signal.left.data() + start + done, signal.right.data() + start + done};
                vst.effect()->processReplacing(vst.effect(), channels, channels,
                                               static_cast<VstInt32>(change.offset - done));
                done = change.offset;
            }
            vst.setParameter(static_cast<VstInt32>(change.id), change.value);
        }
        float* channels[2] = {signal.left.data() + start + done, signal.right.data() + start + done};
        vst.effect()->processReplacing(vst.effect(), channels, channels, static_cast<VstInt32>(frames - done));
    }
}

void renderWithVstSplitting(StereoSignal& signal, const std::vector<BlockChange>& changes, float sampleRate,
                            std::size_t blockSize)
{
    EffectInstance vst;
    vst.resumeAt(sampleRate, static_cast<VstInt32>(blockSize));
    processSplitting(vst, signal, changes, blockSize);
}
