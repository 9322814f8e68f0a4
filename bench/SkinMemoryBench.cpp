// What an instance costs in resident memory: the host process's resident size with the module
// loaded and 1, 2 and 8 effect instances open (editors created, never opened), read from
// /proc/self/statm. The decoded skin is shared, so the second instance should add at most
// 0.5 MB. Run with VANTOR_MODULE naming the module.
#include "PluginHost.h"

#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace
{

constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;
constexpr int kCounts[] = {1, 2, 8};

double residentMegabytes()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr)
        return 0.0;
    unsigned long totalPages = 0;
    unsigned long residentPages = 0;
    const int read = std::fscanf(statm, "%lu %lu", &totalPages, &residentPages);
    std::fclose(statm);
    if (read != 2)
        return 0.0;
    return static_cast<double>(residentPages) * static_cast<double>(sysconf(_SC_PAGESIZE)) / kBytesPerMegabyte;
}

}  // namespace

int main()
{
    if (!PluginModule::shared().loaded())
    {
        std::fprintf(stderr, "cannot load the module: %s\n", PluginModule::shared().error().c_str());
        return 1;
    }
    const double loaded = residentMegabytes();
    std::printf("module loaded, no instance: %.2f MB resident\n", loaded);
    std::vector<std::unique_ptr<EffectInstance>> instances;
    double previous = loaded;
    for (const int count : kCounts)
    {
        while (static_cast<int>(instances.size()) < count)
            instances.push_back(std::make_unique<EffectInstance>());
        const double resident = residentMegabytes();
        std::printf("%d instance(s): %.2f MB resident, %.2f MB above the loaded module, %.2f MB since the last line\n",
                    count, resident, resident - loaded, resident - previous);
        previous = resident;
    }
    return 0;
}
