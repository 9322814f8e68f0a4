// The decoded skin is one copy per process: shared by every editor on the same files, made
// once under concurrent creation and freed with its last holder.
#include <gtest/gtest.h>

#include "glgui/SkinData.h"
#include "support/SceneFiles.h"
#include "support/ScratchSkinFolder.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{

const SkinManifest kManifest{{"missing.png", "tile.png"}, {"square.3ds"}, {"font"}};

void writeSkin(const ScratchSkinFolder& skin, std::uint8_t tileRed)
{
    skin.write("missing.png", pngOf(1, 1, {255, 0, 255, 255}));
    skin.write("tile.png", pngOf(1, 1, {tileRed, 0, 0, 255}));
    skin.write("square.3ds", squareModel(100.0f, 0, 255, 0));
    skin.write("font.fnt", solidFont());
    skin.write("font.png", pngOf(1, 1, {255, 255, 255, 255}));
}

std::uint8_t tileRed(const SkinData& skin)
{
    const int index = skin.findTexture("TILE.png");
    return index < 0 ? 0 : skin.textures()[static_cast<std::size_t>(index)].pixels.data()[0];
}

}  // namespace

TEST(SharedSkin, EditorsOnTheSameFilesShareOneCopyFreedWithTheLast)
{
    ScratchSkinFolder skin;
    ASSERT_TRUE(skin.created());
    writeSkin(skin, 200);

    std::shared_ptr<const SkinData> first = SkinData::acquire(skin.path(), kManifest);
    std::shared_ptr<const SkinData> second = SkinData::acquire(skin.path(), kManifest);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(tileRed(*first), 200);
    EXPECT_NE(first->models().count("square.3ds"), 0u);
    EXPECT_NE(first->findTexture("font.png"), first->findTexture("missing.png")) << "font pages come along";

    const SkinManifest fewer{{"missing.png"}, {}, {}};
    EXPECT_NE(SkinData::acquire(skin.path(), fewer).get(), first.get()) << "another manifest is another skin";

    const std::weak_ptr<const SkinData> watch = first;
    first.reset();
    EXPECT_FALSE(watch.expired()) << "one holder left";
    second.reset();
    EXPECT_TRUE(watch.expired()) << "released with the last holder";

    // Decoded anew after the last went: the changed file is read.
    writeSkin(skin, 90);
    EXPECT_EQ(tileRed(*SkinData::acquire(skin.path(), kManifest)), 90);
}

TEST(SharedSkin, InstancesCreatedOnManyThreadsGetTheSameCopy)
{
    ScratchSkinFolder skin;
    ASSERT_TRUE(skin.created());
    writeSkin(skin, 10);

    constexpr int kThreads = 8;
    std::vector<std::shared_ptr<const SkinData>> copies(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&, i]
                             { copies[static_cast<std::size_t>(i)] = SkinData::acquire(skin.path(), kManifest); });
    for (std::thread& thread : threads)
        thread.join();
    for (const auto& copy : copies)
        EXPECT_EQ(copy.get(), copies[0].get());
}

TEST(SharedSkin, MissingFilesAreReportedOncePerDecodingAndFallBack)
{
    ScratchSkinFolder skin;
    ASSERT_TRUE(skin.created());
    skin.write("missing.png", pngOf(1, 1, {255, 0, 255, 255}));

    const SkinManifest manifest{{"missing.png", "gone.png"}, {}, {}};
    testing::internal::CaptureStderr();
    const std::shared_ptr<const SkinData> first = SkinData::acquire(skin.path(), manifest);
    const std::shared_ptr<const SkinData> second = SkinData::acquire(skin.path(), manifest);
    const std::string messages = testing::internal::GetCapturedStderr();
    const std::string message = "Can't find resources.";
    const std::size_t at = messages.find(message);
    ASSERT_NE(at, std::string::npos) << messages;
    EXPECT_EQ(messages.find(message, at + 1), std::string::npos) << "once, not per editor: " << messages;
    EXPECT_EQ(first->findTexture("unknown.png"), first->findTexture("missing.png"));
}
