#include "FormatRows.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

const std::vector<FormatRow>& formatRows()
{
    // Name, module, the reference, sample-accurate changes, a clean restart at the same rate, a
    // restart at another rate, factory presets of its own, the older program form.
    static const std::vector<FormatRow> rows = {
        {"Vst", makeVstModule, true, false, false, true, false, true},
        {"Clap", makeClapModule, false, true, true, true, true, false},
        {"Vst3", makeVst3Module, false, true, true, true, true, false},
#if !defined(_WIN32)
        {"Lv2", makeLv2Module, false, false, true, false, true, false},
#endif
    };
    return rows;
}

void PrintTo(const FormatRow& row, std::ostream* out)
{
    *out << row.name;
}

std::string rowName(const ::testing::TestParamInfo<FormatRow>& row)
{
    return row.param.name;
}

StereoSignal FormatCase::renderedByNew(StereoSignal signal, std::size_t blockSize,
                                       const std::vector<BlockChange>& changes, double sampleRate) const
{
    auto module = made(sampleRate);
    EXPECT_NE(module, nullptr);
    if (module != nullptr)
    {
        module->start(blockSize);
        module->process(signal, blockSize, changes);
    }
    return signal;
}

std::string FormatCase::referenceFile(const std::string& kind) const
{
    std::string name = GetParam().name;
    for (char& letter : name)
        letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return name + "-" + kind + ".bin";
}

void keepOrCompareReference(const std::string& fileName, const std::vector<unsigned char>& state,
                            const StereoSignal& sound)
{
    if (const char* folder = std::getenv("VANTOR_REFERENCES_OUT"))
    {
        std::ofstream out(std::filesystem::path(folder) / fileName, std::ios::binary);
        out.write(reinterpret_cast<const char*>(state.data()), static_cast<std::streamsize>(state.size()));
        for (const std::vector<float>* channel : {&sound.left, &sound.right})
            out.write(reinterpret_cast<const char*>(channel->data()),
                      static_cast<std::streamsize>(channel->size() * sizeof(float)));
        ASSERT_TRUE(out.good());
    }
    if (const char* folder = std::getenv("VANTOR_REFERENCES_IN"))
    {
        const std::filesystem::path path = std::filesystem::path(folder) / fileName;
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in.good()) << "no reference at " << path.string();
        std::vector<unsigned char> referenceState(state.size());
        in.read(reinterpret_cast<char*>(referenceState.data()), static_cast<std::streamsize>(referenceState.size()));
        StereoSignal reference{std::vector<float>(sound.left.size()), std::vector<float>(sound.right.size())};
        for (std::vector<float>* channel : {&reference.left, &reference.right})
            in.read(reinterpret_cast<char*>(channel->data()),
                    static_cast<std::streamsize>(channel->size() * sizeof(float)));
        ASSERT_TRUE(in.good()) << path.string() << " is shorter than what was rendered";
        EXPECT_EQ(state, referenceState);
        for (std::size_t i = 0; i < sound.left.size(); ++i)
        {
            ASSERT_NEAR(sound.left[i], reference.left[i], 1e-6f) << i;
            ASSERT_NEAR(sound.right[i], reference.right[i], 1e-6f) << i;
        }
    }
}
