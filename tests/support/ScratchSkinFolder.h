#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

// A private skin folder for one test, removed with everything in it afterwards.
class ScratchSkinFolder
{
public:
    ScratchSkinFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor-skin-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            folder = pattern;
    }
    ScratchSkinFolder(const ScratchSkinFolder&) = delete;
    ScratchSkinFolder& operator=(const ScratchSkinFolder&) = delete;
    ~ScratchSkinFolder()
    {
        std::error_code ignored;
        if (!folder.empty())
            std::filesystem::remove_all(folder, ignored);
    }

    bool created() const { return !folder.empty(); }

    // The folder as SkinFiles takes it, with its trailing separator.
    std::string path() const { return folder.string() + "/"; }

    void write(const std::string& fileName, std::span<const std::uint8_t> bytes) const
    {
        std::ofstream out(folder / fileName, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    void write(const std::string& fileName, std::string_view text) const
    {
        write(fileName, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }

    std::filesystem::path file(const std::string& fileName) const { return folder / fileName; }

private:
    std::filesystem::path folder;
};
