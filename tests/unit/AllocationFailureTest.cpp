// When the heap refuses, the host process must survive and the effect must come up
// without an engine. This program replaces malloc to make chosen requests fail.

#include "base/AlignedAlloc.h"
#include "shell/EffectVST.h"
#include "support/SilentHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

extern "C" void* __libc_malloc(std::size_t size);

namespace
{

// Engine buffers are the only requests this large while an effect is created.
constexpr std::size_t kEngineBufferBytes = 8000;

std::atomic<std::size_t> refuseFromBytes{std::numeric_limits<std::size_t>::max()};
std::atomic<bool> countingLargeRequests{false};
std::atomic<int> largeRequests{0};

// The large requests made while running create.
template <typename Create> int largeRequestsOf(Create create)
{
    largeRequests = 0;
    countingLargeRequests = true;
    create();
    countingLargeRequests = false;
    return largeRequests.load();
}

}  // namespace

extern "C" void* malloc(std::size_t size)
{
    if (size >= kEngineBufferBytes && countingLargeRequests.load(std::memory_order_relaxed))
        largeRequests.fetch_add(1, std::memory_order_relaxed);
    if (size >= refuseFromBytes.load(std::memory_order_relaxed))
        return nullptr;
    return __libc_malloc(size);
}

TEST(AllocationFailure, NamedAllocAnswersNullForImpossibleRequests)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(namedAlloc(std::numeric_limits<std::size_t>::max() / 2, 8, "huge"), nullptr);
    refuseFromBytes = 64;
    EXPECT_EQ(namedAlloc(100, 4, "refused"), nullptr);
    refuseFromBytes = std::numeric_limits<std::size_t>::max();
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("Memory allocation failed!"), std::string::npos);
    EXPECT_NE(messages.find("MISTAKE!"), std::string::npos);

    void* fine = namedAlloc(10, 4, "fine");
    ASSERT_NE(fine, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(fine) % 16, 0u);
    alignedFree(fine);
}

TEST(AllocationFailure, EffectComesUpWithoutAnEngine)
{
    testing::internal::CaptureStderr();
    refuseFromBytes = kEngineBufferBytes;
    auto* effect = new EffectVST(silentHost);
    refuseFromBytes = std::numeric_limits<std::size_t>::max();
    testing::internal::GetCapturedStderr();

    EXPECT_FALSE(effect->hasEngine());
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->initialDelay, 2049);
    // The editor may be missing too; the flag must say so truthfully.
    EXPECT_EQ((record->flags & effFlagsHasEditor) != 0, effect->getEditor() != nullptr);
    EXPECT_EQ(effect->getParameter(1), 0.0f);
    char text[64];
    effect->getParameterName(3, text);
    EXPECT_STREQ(text, "Par");
    effect->getProgramName(text);
    EXPECT_STREQ(text, "Default");
    EXPECT_TRUE(effect->getProgramNameIndexed(0, 5, text));
    EXPECT_STREQ(text, "none");
    void* chunk = nullptr;
    EXPECT_EQ(effect->getChunk(&chunk, false), 0);
    unsigned char bank[2728] = {};
    EXPECT_EQ(effect->setChunk(bank, sizeof(bank), false), 0);
    effect->setParameter(1, 0.9f);
    effect->resume();

    float in[2][64] = {}, out[2][64];
    std::memset(out, 0x42, sizeof(out));
    float* inputs[2] = {in[0], in[1]};
    float* outputs[2] = {out[0], out[1]};
    effect->processReplacing(inputs, outputs, 64);
    unsigned char untouched[sizeof(out)];
    std::memset(untouched, 0x42, sizeof(untouched));
    EXPECT_EQ(std::memcmp(out, untouched, sizeof(out)), 0);
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

TEST(AllocationFailure, AFailedRateChangeKeepsTheRunningEngine)
{
    auto* effect = new EffectVST(silentHost);
    ASSERT_TRUE(effect->hasEngine());
    testing::internal::CaptureStderr();
    refuseFromBytes = kEngineBufferBytes;
    effect->setSampleRate(96000.0f);
    effect->resume();
    refuseFromBytes = std::numeric_limits<std::size_t>::max();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("MISTAKE!"), std::string::npos);
    EXPECT_EQ(effect->getAeffect()->initialDelay, 2049);

    float in[2][512] = {}, out[2][512] = {};
    float* inputs[2] = {in[0], in[1]};
    float* outputs[2] = {out[0], out[1]};
    effect->processReplacing(inputs, outputs, 512);

    effect->resume();
    EXPECT_EQ(effect->getAeffect()->initialDelay, 4097) << "the next resume succeeds";
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

TEST(AllocationFailure, TheEffectBuildsItsEngineOnce)
{
    const int oneEngine = largeRequestsOf([] { EngineHost::create(44100.0f); });
    ASSERT_GT(oneEngine, 0);
    EffectVST* effect = nullptr;
    // The editor's and the effect's own requests come on top of one engine's, but far
    // fewer than a second engine's.
    EXPECT_LT(largeRequestsOf([&] { effect = new EffectVST(silentHost); }), 2 * oneEngine);
    ASSERT_TRUE(effect->hasEngine());
    // The host's first resume at the rate the effect started with builds nothing either.
    EXPECT_EQ(largeRequestsOf([&] { effect->resume(); }), 0);
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}
