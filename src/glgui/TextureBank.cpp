#include "glgui/TextureBank.h"

#include "glgui/MipmapLevels.h"
#include "glgui/OpenGL.h"
#include "glgui/SharedSkinTextures.h"
#include "glgui/SkinData.h"

#include <algorithm>
#include <cstring>
#include <vector>

// The reader layer names GL values without GL headers; they must agree.
static_assert(kGlUnsignedByte == GL_UNSIGNED_BYTE && kGlFloat == GL_FLOAT && kGlRed == GL_RED && kGlRgba == GL_RGBA &&
              kGlRgb == GL_RGB && kGlR32F == GL_R32F && kGlLinear == GL_LINEAR && kGlNearest == GL_NEAREST &&
              kGlRepeat == GL_REPEAT && kGlClampToEdge == GL_CLAMP_TO_EDGE && kGlLuminanceAlpha == GL_LUMINANCE_ALPHA &&
              kGlRgba32F == GL_RGBA32F);

TextureBank::~TextureBank() = default;

void TextureBank::attach(const SkinData& skin)
{
    releaseAll();
    skinData = &skin;
    records.clear();
    records.resize(skin.textures().size());
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        records[i].description = &skin.textures()[i].description;
        records[i].decodedPixels = &skin.textures()[i].pixels;
    }
}

void TextureBank::useDenseImages(const SkinData* dense)
{
    for (Record& record : records)
        record.dense = nullptr;
    denseSkin = skinData != nullptr ? dense : nullptr;
    if (denseSkin == nullptr)
        return;
    for (const auto& [name, index] : skinData->textureIndex())
        records[static_cast<std::size_t>(index)].dense = dense->decodedImage(name);
}

void TextureBank::uploadAll(bool shareImages)
{
    if (isUploaded)
        return;
    if (shareImages && skinData != nullptr)
        sharedImages = SharedSkinTextures::forSkin(*skinData, denseSkin);
    for (std::size_t index = 0; index < records.size(); ++index)
    {
        Record& record = records[index];
        // Only images nobody changed are alike in every editor; what the program fills is not.
        record.sharedName =
            sharedImages != nullptr && record.decodedPixels->data() != nullptr && record.ownPixels.data() == nullptr;
        if (!record.sharedName)
        {
            glGenTextures(1, &record.glName);
            upload(record);
            continue;
        }
        unsigned int& processName = sharedImages->name(index);
        if (processName == 0)
        {
            glGenTextures(1, &processName);
            record.glName = processName;
            upload(record);
        }
        record.glName = processName;
    }
    isUploaded = true;
}

void TextureBank::upload(Record& record)
{
    const TextureDescription& description = record.dense != nullptr ? record.dense->description : *record.description;
    const std::uint8_t* pixels = record.dense != nullptr ? record.dense->pixels.data() : record.pixels();
    glBindTexture(GL_TEXTURE_2D, record.glName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, description.wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, description.wrap);
    const int channels = description.type == kGlUnsignedByte && description.format == kGlRgba  ? 4
                         : description.type == kGlUnsignedByte && description.format == kGlRgb ? 3
                                                                                               : 0;
    // Levels of 8-bit colour images are made here: GL's own generation makes a software
    // renderer build a drawing pipeline for each format and size class at the first opening.
    const bool levelsMadeHere = description.mipmaps && channels != 0 && pixels != nullptr;
    if (description.mipmaps)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, levelsMadeHere ? GL_FALSE : GL_TRUE);
        glTexEnvf(GL_TEXTURE_FILTER_CONTROL, GL_TEXTURE_LOD_BIAS, 0.0f);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    else
    {
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_FALSE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, description.filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, description.filter);
    }
    glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, GL_TRUE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (pixels != nullptr && description.width > 0 && description.height > 0)
        glTexImage2D(GL_TEXTURE_2D, 0, description.internalFormat, description.width, description.height, 0,
                     static_cast<GLenum>(description.format), static_cast<GLenum>(description.type), pixels);
    if (levelsMadeHere && description.width > 0 && description.height > 0)
        uploadSmallerLevels(description, pixels, channels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

void TextureBank::uploadSmallerLevels(const TextureDescription& description, const std::uint8_t* pixels, int channels)
{
    std::vector<std::uint8_t> level;
    int width = description.width;
    int height = description.height;
    for (int index = 1; width > 1 || height > 1; ++index)
    {
        level = halvedLevel(level.empty() ? pixels : level.data(), width, height, channels);
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
        glTexImage2D(GL_TEXTURE_2D, index, description.internalFormat, width, height, 0,
                     static_cast<GLenum>(description.format), static_cast<GLenum>(description.type), level.data());
    }
}

void TextureBank::releaseAll()
{
    if (!isUploaded)
        return;
    for (Record& record : records)
    {
        if (!record.sharedName)
            glDeleteTextures(1, &record.glName);
        record.glName = 0;
        record.sharedName = false;
    }
    // The last bank to let go deletes the process's textures.
    sharedImages.reset();
    isUploaded = false;
}

const TextureBank::Record* TextureBank::find(std::string_view name) const
{
    const int index = skinData != nullptr ? skinData->findTexture(name) : -1;
    if (index < 0 || static_cast<std::size_t>(index) >= records.size())
        return nullptr;
    return &records[static_cast<std::size_t>(index)];
}

TextureBank::Record* TextureBank::find(std::string_view name)
{
    return const_cast<Record*>(static_cast<const TextureBank*>(this)->find(name));
}

unsigned int TextureBank::getTexture(std::string_view name) const
{
    const Record* record = find(name);
    return record != nullptr ? record->glName : 0;
}

unsigned int TextureBank::getTexture(std::string_view name, int& width, int& height) const
{
    const Record* record = find(name);
    width = record != nullptr ? record->description->width : 0;
    height = record != nullptr ? record->description->height : 0;
    return record != nullptr ? record->glName : 0;
}

void* TextureBank::lockPixels(std::string_view name)
{
    Record* record = find(name);
    if (record == nullptr || record->description->byteSize == 0 || record->dense != nullptr)
        return nullptr;
    if (record->ownPixels.data() == nullptr && !record->ownPixels.allocate(record->description->byteSize, "image"))
        return nullptr;
    glBindTexture(GL_TEXTURE_2D, record->glName);
    glGetTexImage(GL_TEXTURE_2D, 0, static_cast<GLenum>(record->description->format),
                  static_cast<GLenum>(record->description->type), record->ownPixels.data());
    // What this editor writes must not reach the others' pictures.
    if (record->sharedName)
    {
        record->sharedName = false;
        glGenTextures(1, &record->glName);
        upload(*record);
    }
    return record->ownPixels.data();
}

void TextureBank::updateTexture(std::string_view name)
{
    Record* record = find(name);
    if (record == nullptr || record->ownPixels.data() == nullptr)
        return;
    const TextureDescription& description = *record->description;
    glBindTexture(GL_TEXTURE_2D, record->glName);
    glTexImage2D(GL_TEXTURE_2D, 0, description.internalFormat, description.width, description.height, 0,
                 static_cast<GLenum>(description.format), static_cast<GLenum>(description.type),
                 record->ownPixels.data());
}

void TextureBank::clear()
{
    releaseAll();
    records.clear();
    skinData = nullptr;
}
