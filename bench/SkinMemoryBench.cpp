// What an instance costs in resident memory: the host process's resident size with the module
// loaded and 1, 2 and 8 effect instances open (editors created, never opened). The decoded skin is shared, so the second instance should add at most
// 0.5 MB. Run with VANTOR_MODULE naming the module.
#include "BenchProcess.h"
#include "PluginHost.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace
{

constexpr int kCounts[] = {1, 2, 8};

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
