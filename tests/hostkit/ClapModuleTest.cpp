#include "ClapModule.h"
#include "ClapPluginInstance.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A library every machine has, which is no CLAP module.
#if defined(_WIN32)
constexpr char kSystemLibrary[] = "kernel32.dll";
#else
constexpr char kSystemLibrary[] = "libm.so.6";
#endif

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(ClapModule, SaysWhyAFileIsNoClapModuleAndMakesNoPluginFromIt)
{
    const ClapModule missing("no-such-folder/no-such-module.clap");
    EXPECT_FALSE(missing.loaded());
    EXPECT_TRUE(mentions(missing.error(), "cannot load no-such-folder/no-such-module.clap")) << missing.error();
    EXPECT_EQ(missing.pluginCount(), 0u);
    EXPECT_EQ(missing.descriptor(0), nullptr);

    const ClapModule library(kSystemLibrary);
    EXPECT_FALSE(library.loaded());
    EXPECT_TRUE(mentions(library.error(), "exports no clap_entry")) << library.error();

    const ClapPluginInstance instance(library, "com.example.anything");
    EXPECT_FALSE(instance.created());
    EXPECT_EQ(instance.error(), library.error());
}
