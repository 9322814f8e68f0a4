// Writes the VST3 bundle's moduleinfo.json: what the module's factory answers, from the same
// identity record and facts, for hosts that list plug-ins without loading them. Built and
// run on the build machine whatever the target (it only reads constants).
#include "identity/EffectIdentity.h"
#include "vst3shell/Vst3ClassFacts.h"

#include <cstdio>
#include <string>

namespace
{

// The class id as its text spells it: 32 upper-case hex digits.
std::string spelledClassId()
{
    std::string text;
    char digits[3] = {};
    for (const std::uint8_t byte : kEffectIdentity.vst3ClassId)
    {
        std::snprintf(digits, sizeof(digits), "%02X", byte);
        text += digits;
    }
    return text;
}

// The identity's texts are plain ASCII without quotes or backslashes; this keeps it so.
std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text)
    {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string subCategoryList()
{
    std::string list;
    const std::string categories = kEffectIdentity.vst3Categories;
    std::size_t start = 0;
    while (start <= categories.size())
    {
        const std::size_t bar = categories.find('|', start);
        const std::size_t end = bar == std::string::npos ? categories.size() : bar;
        list += (list.empty() ? "" : ", ") + quoted(categories.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

const char* yesNo(bool value)
{
    return value ? "true" : "false";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr)
        return 1;
    const std::int32_t flags = vst3facts::kFactoryFlags;
    std::fprintf(out, "{\n");
    std::fprintf(out, "  \"Name\": %s,\n", quoted(kEffectIdentity.product).c_str());
    std::fprintf(out, "  \"Version\": %s,\n", quoted(kEffectIdentity.versionText).c_str());
    std::fprintf(out, "  \"Factory Info\": {\n");
    std::fprintf(out, "    \"Vendor\": %s,\n", quoted(kEffectIdentity.vendor).c_str());
    std::fprintf(out, "    \"URL\": %s,\n", quoted(vst3facts::kVendorUrl).c_str());
    std::fprintf(out, "    \"E-Mail\": %s,\n", quoted(vst3facts::kVendorEmail).c_str());
    std::fprintf(out, "    \"Flags\": {\n");
    std::fprintf(out, "      \"Unicode\": %s,\n", yesNo((flags & vst3::PFactoryInfo::kUnicode) != 0));
    std::fprintf(out, "      \"Classes Discardable\": %s,\n", yesNo((flags & vst3::PFactoryInfo::kClassesDiscardable) != 0));
    std::fprintf(out, "      \"Component Non Discardable\": %s\n",
                yesNo((flags & vst3::PFactoryInfo::kComponentNonDiscardable) != 0));
    std::fprintf(out, "    }\n");
    std::fprintf(out, "  },\n");
    std::fprintf(out, "  \"Classes\": [\n");
    std::fprintf(out, "    {\n");
    std::fprintf(out, "      \"CID\": %s,\n", quoted(spelledClassId()).c_str());
    std::fprintf(out, "      \"Category\": %s,\n", quoted(vst3facts::kClassCategory).c_str());
    std::fprintf(out, "      \"Name\": %s,\n", quoted(kEffectIdentity.product).c_str());
    std::fprintf(out, "      \"Vendor\": %s,\n", quoted(kEffectIdentity.vendor).c_str());
    std::fprintf(out, "      \"Version\": %s,\n", quoted(kEffectIdentity.versionText).c_str());
    std::fprintf(out, "      \"SDKVersion\": %s,\n", quoted(vst3::kSdkVersionString).c_str());
    std::fprintf(out, "      \"Sub Categories\": [%s],\n", subCategoryList().c_str());
    std::fprintf(out, "      \"Class Flags\": %u,\n", static_cast<unsigned>(vst3facts::kClassFlags));
    std::fprintf(out, "      \"Cardinality\": %d,\n", static_cast<int>(vst3facts::kCardinality));
    std::fprintf(out, "      \"Snapshots\": []\n");
    std::fprintf(out, "    }\n");
    std::fprintf(out, "  ]\n");
    std::fprintf(out, "}\n");
    const bool written = std::ferror(out) == 0;
    return std::fclose(out) == 0 && written ? 0 : 1;
}
