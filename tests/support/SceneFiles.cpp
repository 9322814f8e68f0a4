#include "support/SceneFiles.h"

#include <png.h>

#include <cstring>
#include <initializer_list>

std::vector<std::uint8_t> pngOf(int width, int height, const std::vector<std::uint8_t>& rgba)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<std::uint8_t> bytes(size);
    png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr);
    bytes.resize(size);
    return bytes;
}

namespace
{

class ChunkWriter
{
public:
    std::vector<std::uint8_t> bytes;

    // Opens a chunk and answers where its length goes.
    std::size_t open(std::uint16_t id)
    {
        put16(id);
        const std::size_t at = bytes.size();
        put32(0);
        return at;
    }
    void close(std::size_t lengthAt)
    {
        const auto length = static_cast<std::uint32_t>(bytes.size() - (lengthAt - 2));
        std::memcpy(bytes.data() + lengthAt, &length, 4);
    }
    void put16(std::uint16_t value) { append(&value, 2); }
    void put32(std::uint32_t value) { append(&value, 4); }
    void putFloat(float value) { append(&value, 4); }
    void putText(const std::string& text) { append(text.c_str(), text.size() + 1); }
    void append(const void* data, std::size_t size)
    {
        const auto* first = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), first, first + size);
    }
};

}  // namespace

std::vector<std::uint8_t> squareModel(float size, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const float h = size / 2.0f;
    ChunkWriter out;
    const auto main = out.open(0x4D4D);
    const auto editor = out.open(0x3D3D);
    const auto material = out.open(0xAFFF);
    const auto name = out.open(0xA000);
    out.putText("paint_notlit");
    out.close(name);
    const auto diffuse = out.open(0xA020);
    const auto colour = out.open(0x0011);
    const std::uint8_t rgb[3] = {red, green, blue};
    out.append(rgb, 3);
    out.close(colour);
    out.close(diffuse);
    out.close(material);
    const auto object = out.open(0x4000);
    out.putText("square");
    const auto mesh = out.open(0x4100);
    const auto vertices = out.open(0x4110);
    out.put16(4);
    for (const auto& [x, y] : {std::pair{-h, -h}, {h, -h}, {h, h}, {-h, h}})
    {
        out.putFloat(x);
        out.putFloat(y);
        out.putFloat(0.0f);
    }
    out.close(vertices);
    const auto faces = out.open(0x4120);
    out.put16(2);
    for (std::uint16_t index : {0, 1, 2, 0, 0, 2, 3, 0})
        out.put16(index);
    const auto faceMaterial = out.open(0x4130);
    out.putText("paint_notlit");
    out.put16(2);
    out.put16(0);
    out.put16(1);
    out.close(faceMaterial);
    out.close(faces);
    out.close(mesh);
    out.close(object);
    out.close(editor);
    out.close(main);
    return out.bytes;
}

std::string solidFont()
{
    std::string text = "info face=\"Solid\" size=8\n"
                       "common lineHeight=10 base=8 scaleW=8 scaleH=8 pages=1\n"
                       "page id=0 file=\"font.png\"\n"
                       "chars count=95\n";
    for (int code = 32; code < 127; ++code)
    {
        text += "char id=" + std::to_string(code) + " x=0 y=0 width=8 height=8 xoffset=0 yoffset=0 "
                "xadvance=10 page=0 chnl=15\n";
    }
    text += "kernings count=0\n";
    return text;
}
