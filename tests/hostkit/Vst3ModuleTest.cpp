#include "Vst3Module.h"
#include "Vst3PluginInstance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace
{

// A library every machine has, which is no VST 3 module.
#if defined(_WIN32)
constexpr char kSystemLibrary[] = "kernel32.dll";
constexpr char kBinaryFolder[] = "x86_64-win";
constexpr char kBinaryName[] = "Vantor Pro.vst3";
#else
constexpr char kSystemLibrary[] = "libm.so.6";
constexpr char kBinaryFolder[] = "x86_64-linux";
constexpr char kBinaryName[] = "Vantor Pro.so";
#endif

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A folder of the test's own in the temporary folder, removed with everything in it.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::random_device random;
        do
            folder = fs::temp_directory_path() / ("vantor-vst3-" + std::to_string(random()));
        while (!fs::create_directory(folder));
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    const fs::path& path() const { return folder; }

private:
    fs::path folder;
};

}  // namespace

TEST(Vst3Module, SaysWhyAFileIsNoVst3ModuleAndMakesNothingFromIt)
{
    Vst3RunLoop loop;
    Vst3HostContext host(loop);
    const Vst3Module missing("no-such-folder/no-such-module.so", host);
    EXPECT_FALSE(missing.loaded());
    EXPECT_TRUE(mentions(missing.error(), "cannot load no-such-folder/no-such-module.so")) << missing.error();

    const Vst3Module library(kSystemLibrary, host);
    EXPECT_FALSE(library.loaded());
    EXPECT_TRUE(mentions(library.error(), "exports no GetPluginFactory")) << library.error();
    EXPECT_EQ(library.factoryRevision(), 0);
    EXPECT_FALSE(library.factoryInfo().has_value());
    EXPECT_TRUE(library.classes().empty());
    EXPECT_EQ(library.createInstance(vst3::kFUnknownIid, vst3::kIComponentIid), nullptr);

    const Vst3PluginInstance instance(library, vst3::kFUnknownIid);
    EXPECT_FALSE(instance.created());
    EXPECT_EQ(instance.error(), library.error());
    EXPECT_EQ(host.references(), 1u);
}

TEST(Vst3Module, FindsTheBinaryInsideABundleFolder)
{
    ScratchFolder scratch;
    const fs::path bundle = scratch.path() / "Vantor Pro.vst3";
    const fs::path binary = bundle / "Contents" / kBinaryFolder / kBinaryName;
    fs::create_directories(binary.parent_path());
    EXPECT_EQ(vst3BinaryPath(bundle.string()), binary.string());
    EXPECT_EQ(vst3BinaryPath((bundle / "").string()), binary.string()) << "with a trailing separator";
    EXPECT_EQ(vst3BinaryPath(binary.string()), binary.string()) << "a file is the module itself";

    Vst3RunLoop loop;
    Vst3HostContext host(loop);
    const Vst3Module module(bundle.string(), host);
    EXPECT_FALSE(module.loaded());
    EXPECT_TRUE(mentions(module.error(), "cannot load " + binary.string())) << module.error();
}
