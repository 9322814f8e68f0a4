// GL objects the editors of one process share: the skin's images as one set of textures,
// and a closed editor's picture buffers kept for the next opening.
#include <gtest/gtest.h>

#include "DawWindow.h"
#include "DisplayEditor.h"
#include "glgui/SpareRenderbuffers.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{

std::string skinFolder()
{
    const char* folder = std::getenv("VANTOR_SKIN_DIR");
    return folder != nullptr ? std::string(folder) + "/" : std::string();
}

std::vector<unsigned char> texturePixels(unsigned int texture, int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

// An editor whose next frame runs a check with the context current.
struct CheckedEditor
{
    std::function<void(GuiResources&)> check;
    DisplayEditor editor{skinFolder(), [this](GuiResources& resources, ShaderSet&)
                         {
                             if (check)
                                 check(resources);
                             check = nullptr;
                         }};

    void run(const std::function<void(GuiResources&)>& work)
    {
        check = work;
        editor.invalidateWholeFrame();
        editor.renderFrame();
        ASSERT_EQ(check, nullptr) << "no frame was drawn";
    }
};

}  // namespace

TEST(SharedSkinTextures, EditorsShareTheImagesButNotWhatTheyFillOrChange)
{
    ASSERT_FALSE(skinFolder().empty());
    DawWindow firstDaw(512, 624);
    DawWindow secondDaw(512, 624);
    ASSERT_TRUE(firstDaw.valid() && secondDaw.valid());
    auto first = std::make_unique<CheckedEditor>();
    CheckedEditor second;
    ASSERT_TRUE(first->editor.open(firstDaw.handle()));
    ASSERT_TRUE(second.editor.open(secondDaw.handle()));

    TextureBank& firstTextures = first->editor.resources().textures();
    TextureBank& secondTextures = second.editor.resources().textures();
    int width = 0;
    int height = 0;
    const unsigned int ring = firstTextures.getTexture("eq_ring.png", width, height);
    ASSERT_NE(ring, 0u);
    EXPECT_EQ(secondTextures.getTexture("eq_ring.png"), ring) << "the second editor uploaded the image again";
    EXPECT_EQ(secondTextures.getTexture("line.png"), firstTextures.getTexture("line.png"));
    EXPECT_NE(secondTextures.getTexture("eq_fft"), firstTextures.getTexture("eq_fft"))
        << "a texture the editor fills is its own";

    // The second editor writing its copy of an image leaves the first one's picture alone.
    std::vector<unsigned char> before;
    second.run(
        [&](GuiResources&)
        {
            before = texturePixels(ring, width, height);
            auto* pixels = static_cast<unsigned char*>(secondTextures.lockPixels("eq_ring.png"));
            ASSERT_NE(pixels, nullptr);
            std::fill(pixels, pixels + before.size(), 0);
            secondTextures.updateTexture("eq_ring.png");
        });
    const unsigned int written = secondTextures.getTexture("eq_ring.png");
    EXPECT_NE(written, ring);
    EXPECT_EQ(firstTextures.getTexture("eq_ring.png"), ring);
    first->run(
        [&](GuiResources&)
        {
            EXPECT_EQ(texturePixels(ring, width, height), before) << "the shared image changed";
            EXPECT_EQ(texturePixels(written, width, height), std::vector<unsigned char>(before.size(), 0));
        });

    // The first instance going leaves the shared images to the other.
    const unsigned int line = firstTextures.getTexture("line.png");
    first.reset();
    second.run([&](GuiResources&) { EXPECT_EQ(glIsTexture(line), GL_TRUE) << "the shared image went too early"; });
    second.editor.close();
}

TEST(SpareRenderbuffers, KeepsOnePicturesBuffersForTheNextOpeningAtItsSize)
{
    ASSERT_FALSE(skinFolder().empty());
    DawWindow daw(512, 624);
    ASSERT_TRUE(daw.valid());
    CheckedEditor checked;
    ASSERT_TRUE(checked.editor.open(daw.handle()));
    const auto makeBuffers = [](GLuint names[2])
    {
        glGenRenderbuffers(2, names);
        for (int i = 0; i < 2; ++i)
            glBindRenderbuffer(GL_RENDERBUFFER, names[i]);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
    };
    checked.run(
        [&](GuiResources&)
        {
            GLuint first[2] = {};
            GLuint second[2] = {};
            {
                SpareRenderbuffers spare;
                makeBuffers(first);
                spare.keep(first[0], first[1], 64, 32);
                unsigned int colour = 0;
                unsigned int depthStencil = 0;
                EXPECT_FALSE(spare.take(32, 64, colour, depthStencil)) << "handed over at another size";
                makeBuffers(second);
                spare.keep(second[0], second[1], 64, 32);
                EXPECT_EQ(glIsRenderbuffer(first[0]), GL_FALSE) << "what it kept before stayed";
                EXPECT_EQ(glIsRenderbuffer(first[1]), GL_FALSE);
                ASSERT_TRUE(spare.take(64, 32, colour, depthStencil));
                EXPECT_EQ(colour, second[0]);
                EXPECT_EQ(depthStencil, second[1]);
                EXPECT_FALSE(spare.take(64, 32, colour, depthStencil)) << "handed over twice";
                spare.keep(colour, depthStencil, 64, 32);
            }
            EXPECT_EQ(glIsRenderbuffer(second[0]), GL_FALSE) << "the last holder left the buffers behind";
            EXPECT_EQ(glIsRenderbuffer(second[1]), GL_FALSE);
        });
    checked.editor.close();
}
