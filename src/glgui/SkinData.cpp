#include "glgui/SkinData.h"

#include "base/AsciiCase.h"
#include "glgui/PngDecoder.h"
#include "glgui/SkinFiles.h"
#include "platform/MessageBox.h"

#include <mutex>

namespace
{

constexpr const char* kFallbackTexture = "missing.png";

// The process's decoded skins; an entry expires with its last holder.
struct SkinCache
{
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<const SkinData>> entries;
};

SkinCache& skinCache()
{
    static SkinCache cache;
    return cache;
}

std::string cacheKey(const std::string& folder, const SkinManifest& manifest)
{
    std::string key = folder;
    for (const std::vector<std::string>* names : {&manifest.textures, &manifest.models, &manifest.fonts})
    {
        key += '\n';
        for (const std::string& name : *names)
            key += toLowerAscii(name) + '\t';
    }
    return key;
}

}  // namespace

std::shared_ptr<const SkinData> SkinData::acquire(const std::string& folder, const SkinManifest& manifest,
                                                  MissingFiles missing)
{
    const std::string key = cacheKey(folder, manifest);
    bool anyMissing = false;
    std::shared_ptr<const SkinData> skin;
    {
        // Decoding under the lock: an editor made meanwhile on another thread waits for this
        // copy instead of decoding its own.
        SkinCache& cache = skinCache();
        const std::lock_guard lock(cache.mutex);
        std::erase_if(cache.entries, [](const auto& entry) { return entry.second.expired(); });
        std::weak_ptr<const SkinData>& entry = cache.entries[key];
        skin = entry.lock();
        if (skin == nullptr)
        {
            auto decoded = std::make_shared<SkinData>();
            SkinFiles files(folder);
            decoded->decode(files, manifest, anyMissing);
            skin = std::move(decoded);
            entry = skin;
        }
    }
    // One message for a damaged installation, not one modal box per missing file; shown
    // outside the lock so that a modal box holds up no other editor.
    if (anyMissing && missing == MissingFiles::Report)
        platform::showMessageBox("Can't find resources.", "ERROR", platform::MessageIcon::Exclamation);
    return skin;
}

void SkinData::decode(SkinFiles& files, const SkinManifest& manifest, bool& anyMissing)
{
    for (const std::string& name : manifest.models)
        if (std::optional<Model3DS> model = loadModel3DS(files, name))
            parsedModels[toLowerAscii(name)] = std::move(*model);
    std::vector<std::string> textureNames = manifest.textures;
    for (const std::string& name : manifest.fonts)
    {
        // A missing or malformed file still registers the font, which then draws nothing.
        BitmapFont& font = parsedFonts[name];
        if (std::optional<BitmapFont> loaded = loadBitmapFont(files, name))
            font = std::move(*loaded);
    }
    for (const auto& [name, font] : parsedFonts)
        textureNames.push_back(name + ".png");
    decodeTextures(files, textureNames, anyMissing);
}

void SkinData::decodeTextures(SkinFiles& files, const std::vector<std::string>& names, bool& anyMissing)
{
    std::map<std::string, int> indexByName;
    for (const std::string& name : names)
    {
        const std::string key = toLowerAscii(name);
        if (indexByName.count(key) == 0)
            indexByName.emplace(key, static_cast<int>(indexByName.size()));
    }
    decodedTextures.resize(indexByName.size());
    for (const auto& [name, index] : indexByName)
    {
        DecodedTexture& texture = decodedTextures[static_cast<std::size_t>(index)];
        if (isTextureDescriptionString(name))
        {
            if (parseTextureDescription(name, texture.description))
            {
                textureIndexByName.emplace(texture.description.shortName, index);
                continue;
            }
        }
        else
        {
            PngImage image;
            const PngResult result = loadPngFile(files, name, image);
            anyMissing = anyMissing || result.status == PngStatus::FileMissing;
            if (result.status == PngStatus::Decoded)
            {
                texture.description = describePngTexture(name, image);
                texture.pixels = std::move(image.pixels);
            }
            else
            {
                texture.description.shortName = name;
            }
        }
        textureIndexByName.emplace(name, index);
    }
}

int SkinData::findTexture(std::string_view name) const
{
    auto found = textureIndexByName.find(toLowerAscii(name));
    if (found == textureIndexByName.end())
        found = textureIndexByName.find(kFallbackTexture);
    return found == textureIndexByName.end() ? -1 : found->second;
}

const DecodedTexture* SkinData::decodedImage(std::string_view name) const
{
    const auto found = textureIndexByName.find(toLowerAscii(name));
    if (found == textureIndexByName.end())
        return nullptr;
    const DecodedTexture& texture = decodedTextures[static_cast<std::size_t>(found->second)];
    return texture.pixels.data() != nullptr ? &texture : nullptr;
}
