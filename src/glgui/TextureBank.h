#pragma once

#include "base/AlignedBuffer.h"
#include "glgui/TextureDescription.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class SharedSkinTextures;
class SkinData;
struct DecodedTexture;

// The editor's textures by case-insensitive name: PNG files from the skin folder, or
// specification strings ("eq_fft, 512, 1, r32f, float, nomips, clamp") for textures the
// program fills itself. Images come decoded from the shared skin; their GL textures are the
// process's (SharedSkinTextures) where every editor's objects are one context's, else this
// bank's own. Unknown names fall back to "missing.png".
class TextureBank
{
public:
    static constexpr const char* kFallbackName = "missing.png";

    TextureBank() = default;
    ~TextureBank();
    TextureBank(const TextureBank&) = delete;
    TextureBank& operator=(const TextureBank&) = delete;

    // The decoded textures to draw from; skin outlives this bank's use of it.
    void attach(const SkinData& skin);
    // Images of twice the resolution to upload instead where the dense skin has them (null:
    // none); sizes answered stay those of the attached skin. Before uploadAll.
    void useDenseImages(const SkinData* dense);

    // GL side, with the editor's context current. shareImages: the skin's images are the
    // textures every bank that shares them draws with, uploaded by the first.
    void uploadAll(bool shareImages);
    void releaseAll();
    bool uploaded() const { return isUploaded; }

    unsigned int getTexture(std::string_view name) const;
    unsigned int getTexture(std::string_view name, int& width, int& height) const;
    // This editor's own client pixels of the texture, read back from GL first (the shared
    // decoded image is never written); from then on the texture is this bank's own. Null for
    // a texture drawn from a dense image, whose pixels are not the size described.
    void* lockPixels(std::string_view name);
    // Re-specifies level 0 from the client pixels.
    void updateTexture(std::string_view name);

    void clear();
    std::size_t size() const { return records.size(); }

private:
    struct Record
    {
        const TextureDescription* description = nullptr;
        const AlignedBuffer<std::uint8_t>* decodedPixels = nullptr;
        AlignedBuffer<std::uint8_t> ownPixels;  // written by lockPixels, uploaded in preference
        const DecodedTexture* dense = nullptr;  // the double-resolution image, when drawn so
        unsigned int glName = 0;
        bool sharedName = false;  // glName is the process's (SharedSkinTextures)

        const std::uint8_t* pixels() const
        {
            return ownPixels.data() != nullptr ? ownPixels.data() : decodedPixels->data();
        }
    };

    const Record* find(std::string_view name) const;
    Record* find(std::string_view name);
    void upload(Record& record);
    // Levels 1 and up of an 8-bit colour image, each halved from the one before.
    void uploadSmallerLevels(const TextureDescription& description, const std::uint8_t* pixels, int channels);

    const SkinData* skinData = nullptr;
    const SkinData* denseSkin = nullptr;
    std::vector<Record> records;
    std::shared_ptr<SharedSkinTextures> sharedImages;
    bool isUploaded = false;
};
