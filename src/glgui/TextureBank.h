#pragma once

#include "base/AlignedBuffer.h"
#include "glgui/TextureDescription.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class SkinFiles;

// The editor's textures by case-insensitive name: PNG files from the skin folder, or
// specification strings ("eq_fft, 512, 1, r32f, float, nomips, clamp") for textures the
// program fills itself. Images are decoded once; GL textures are made at every editor open
// and dropped at every close, so decoded images survive open/close cycles. Unknown names
// fall back to "missing.png".
class TextureBank
{
public:
    static constexpr const char* kFallbackName = "missing.png";

    TextureBank() = default;
    TextureBank(const TextureBank&) = delete;
    TextureBank& operator=(const TextureBank&) = delete;

    // Names only; duplicates are ignored.
    void registerTexture(std::string_view name);
    // Decodes every registered file and parses every specification (once, UI thread).
    void loadAll(SkinFiles& files);

    // GL side, with the editor's context current.
    void uploadAll();
    void releaseAll();
    bool uploaded() const { return isUploaded; }

    unsigned int getTexture(std::string_view name) const;
    unsigned int getTexture(std::string_view name, int& width, int& height) const;
    // The record's client pixels, read back from GL first (allocated when absent).
    void* lockPixels(std::string_view name);
    // Re-specifies level 0 from the client pixels.
    void updateTexture(std::string_view name);

    void clear();
    std::size_t size() const { return records.size(); }

private:
    struct Record
    {
        TextureDescription description;
        AlignedBuffer<std::uint8_t> pixels;
        unsigned int glName = 0;
    };

    const Record* find(std::string_view name) const;
    Record* find(std::string_view name);
    void upload(Record& record);

    std::map<std::string, int> indexByName;
    std::vector<Record> records;
    bool isUploaded = false;
};
