#pragma once

#include "base/AlignedBuffer.h"
#include "glgui/BitmapFont.h"
#include "glgui/Model3DS.h"
#include "glgui/TextureDescription.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SkinFiles;

// The files an editor wants from its skin folder. Every font also brings its page image
// "<font>.png" among the textures.
struct SkinManifest
{
    std::vector<std::string> textures;  // PNG file names or texture specification strings
    std::vector<std::string> models;
    std::vector<std::string> fonts;
};

// One texture as decoded from the skin (pixels empty for specification strings and for
// images that could not be read).
struct DecodedTexture
{
    TextureDescription description;
    AlignedBuffer<std::uint8_t> pixels;
};

// The decoded, GL-free skin: images, models and fonts. Decoding costs about 2 MB, so every
// editor of the process on the same folder and manifest shares one immutable copy, made by
// the first that asks and freed with the last holder. GL objects stay with each editor.
class SkinData
{
public:
    enum class MissingFiles
    {
        Report,  // a damaged installation: the user is told
        Ignore,  // an optional set (the double-density images): what is missing falls back
    };

    // The shared copy, decoded now when no editor holds one. Safe from any thread; throws
    // std::bad_alloc when memory runs out. A missing image says "Can't find resources." once
    // per decoding, not once per editor, unless told to ignore it.
    static std::shared_ptr<const SkinData> acquire(const std::string& folder, const SkinManifest& manifest,
                                                   MissingFiles missing = MissingFiles::Report);

    // Texture index by case-insensitive name (or specification short name), falling back to
    // "missing.png"; -1 when neither exists.
    int findTexture(std::string_view name) const;
    // The decoded image of that name, or null when it is not there or could not be read.
    const DecodedTexture* decodedImage(std::string_view name) const;
    const std::map<std::string, int>& textureIndex() const { return textureIndexByName; }
    const std::vector<DecodedTexture>& textures() const { return decodedTextures; }
    const std::map<std::string, Model3DS>& models() const { return parsedModels; }
    const std::map<std::string, BitmapFont>& fonts() const { return parsedFonts; }

private:
    // Reads everything; anyMissing tells whether an image file was absent.
    void decode(SkinFiles& files, const SkinManifest& manifest, bool& anyMissing);
    void decodeTextures(SkinFiles& files, const std::vector<std::string>& names, bool& anyMissing);

    std::map<std::string, int> textureIndexByName;
    std::vector<DecodedTexture> decodedTextures;
    std::map<std::string, Model3DS> parsedModels;
    std::map<std::string, BitmapFont> parsedFonts;
};
