#include "glgui/TextureDescription.h"

#include "base/AsciiCase.h"
#include "glgui/PngDecoder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace
{

struct FormatKeyword
{
    std::string_view keyword;
    int internalFormat;
    int format;
};

// Searched in this order, so "rgba32f" wins over the "rgba", "rgb" and "rg" it contains.
constexpr std::array<FormatKeyword, 12> kFormatKeywords = {{
    {"depthcomponent", kGlDepthComponent24, kGlDepthComponent},
    {"depthstencil", kGlDepth24Stencil8, kGlDepthStencil},
    {"red", kGlRed, kGlRed},
    {"rgba32f", kGlRgba32F, kGlRgba},
    {"rg16f", kGlRg16F, kGlRg},
    {"rg32f", kGlRg32F, kGlRg},
    {"rgba16f", kGlRgba16F, kGlRgba},
    {"rgb16f", kGlRgb16F, kGlRgb},
    {"r32f", kGlR32F, kGlRed},
    {"rgba", kGlRgba, kGlRgba},
    {"rgb", kGlRgb, kGlRgb},
    {"rg", kGlRg, kGlRg},
}};

struct TypeKeyword
{
    std::string_view keyword;
    int type;
};

constexpr std::array<TypeKeyword, 3> kTypeKeywords = {{
    {"byte", kGlUnsignedByte},
    {"float", kGlFloat},
    {"24_8", kGlUnsignedInt24_8},
}};

bool contains(std::string_view text, std::string_view keyword)
{
    return text.find(keyword) != std::string_view::npos;
}

std::string_view trimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The comma-separated field at index, or nothing when the text has fewer fields.
std::optional<std::string_view> field(std::string_view text, int index)
{
    for (int skipped = 0; skipped < index; ++skipped)
    {
        const std::size_t comma = text.find(',');
        if (comma == std::string_view::npos)
            return std::nullopt;
        text.remove_prefix(comma + 1);
    }
    return text.substr(0, text.find(','));
}

// A texture side: a decimal number from 1 to kMaxTextureSide, surrounded by nothing but spaces.
std::optional<int> parseSide(std::optional<std::string_view> text)
{
    if (!text)
        return std::nullopt;
    const std::string_view digits = trimSpaces(*text);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value < 1 || value > kMaxTextureSide)
        return std::nullopt;
    return value;
}

int componentsOf(int format)
{
    switch (format)
    {
    case kGlRg:
    case kGlLuminanceAlpha: return 2;
    case kGlRgb: return 3;
    case kGlRgba: return 4;
    default: return 1;  // red, and the depth formats with their single (packed) value
    }
}

int bytesPerComponentOf(int type)
{
    // 24_8 packs depth and stencil into one 32-bit value.
    return type == kGlFloat || type == kGlUnsignedInt24_8 ? 4 : 1;
}

std::size_t byteSizeOf(const TextureDescription& description)
{
    return static_cast<std::size_t>(description.width) * static_cast<std::size_t>(description.height) *
           static_cast<std::size_t>(componentsOf(description.format)) * static_cast<std::size_t>(description.bytesPerComponent);
}

// Grey + alpha goes to luminance-alpha so it shows as grey; the other layouts follow their
// component count.
int formatForChannels(int channels)
{
    switch (channels)
    {
    case 2: return kGlLuminanceAlpha;
    case 3: return kGlRgb;
    case 4: return kGlRgba;
    default: return kGlRed;
    }
}

}  // namespace

bool isTextureDescriptionString(std::string_view name)
{
    return contains(name, ",");
}

bool parseTextureDescription(std::string_view text, TextureDescription& description)
{
    const std::string lower = toLowerAscii(text);
    const std::string_view whole = lower;
    const std::size_t firstComma = whole.find(',');
    if (firstComma == std::string_view::npos)
        return false;
    const std::string_view afterName = whole.substr(firstComma + 1);

    const std::optional<int> width = parseSide(field(whole, 1));
    const std::optional<int> height = parseSide(field(whole, 2));
    const auto format =
        std::find_if(kFormatKeywords.begin(), kFormatKeywords.end(),
                     [afterName](const FormatKeyword& entry) { return contains(afterName, entry.keyword); });
    const auto type =
        std::find_if(kTypeKeywords.begin(), kTypeKeywords.end(),
                     [afterName](const TypeKeyword& entry) { return contains(afterName, entry.keyword); });
    if (!width || !height || format == kFormatKeywords.end() || type == kTypeKeywords.end())
        return false;

    TextureDescription parsed;
    parsed.shortName = std::string(trimSpaces(whole.substr(0, firstComma)));
    parsed.width = *width;
    parsed.height = *height;
    parsed.internalFormat = format->internalFormat;
    parsed.format = format->format;
    parsed.type = type->type;
    parsed.bytesPerComponent = bytesPerComponentOf(parsed.type);
    parsed.byteSize = byteSizeOf(parsed);
    parsed.mipmaps = !contains(whole, "nomips");
    parsed.filter = contains(whole, "nearest") ? kGlNearest : kGlLinear;
    parsed.wrap = contains(whole, "clamp") ? kGlClampToEdge : kGlRepeat;
    description = std::move(parsed);
    return true;
}

TextureDescription describePngTexture(std::string_view fileName, const PngImage& image)
{
    TextureDescription description;
    description.shortName = toLowerAscii(fileName);
    description.width = image.width;
    description.height = image.height;
    description.format = formatForChannels(image.channels);
    description.internalFormat = description.format;
    description.type = kGlUnsignedByte;
    description.bytesPerComponent = 1;
    description.byteSize = image.pixels.size();
    description.mipmaps = !contains(description.shortName, "_nomips");
    description.filter = contains(description.shortName, "_nearest") ? kGlNearest : kGlLinear;
    description.wrap = kGlRepeat;
    return description;
}
