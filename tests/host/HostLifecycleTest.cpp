// Many editor openings through the module, as a session in a DAW makes them: whatever an
// opening takes from the X server and the process must be given back at its close, except
// the process's GL context (a connection of its own), which stays until the last instance
// goes and then takes everything with it. GL names are not visible from the host, so the
// server's resource accounting (XRes) and the process's heap and resident size stand in
// for them.
#include "HostEditorWindow.h"
#include "support/XDisplayConnection.h"

#include <X11/extensions/XRes.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace
{

// The kept context's driver caches grow in 1 MB steps to about 2 MB over the first
// openings after the warm-up and stay there (100 openings grow no more than 50); a leak of
// 100 kB an opening would pass it.
constexpr long long kHeapGrowthLimit = 4ll << 20;
// Mesa's software renderer keeps code and allocator pages around (about 1.5 MB over 50
// openings here); one leaked set of the editor's textures or a context costs more than
// this in a handful of openings.
constexpr long long kResidentGrowthLimit = 8ll << 20;

// Resources every client of the X server holds: windows, pixmaps, GCs, colormaps, GLX
// objects, whatever the server counts.
struct ServerResources
{
    int clients = 0;
    long long resources = 0;
};

ServerResources serverResources(Display* display)
{
    ServerResources total;
    XResClient* clients = nullptr;
    if (!XResQueryClients(display, &total.clients, &clients))
        return total;
    for (int i = 0; i < total.clients; ++i)
    {
        int typeCount = 0;
        XResType* types = nullptr;
        if (XResQueryClientResources(display, clients[i].resource_base, &typeCount, &types))
        {
            for (int t = 0; t < typeCount; ++t)
                total.resources += types[t].count;
            XFree(types);
        }
    }
    XFree(clients);
    return total;
}

long long heapInUse()
{
    return static_cast<long long>(mallinfo2().uordblks);
}

long long residentBytes()
{
    long long pages = 0;
    long long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r"))
    {
        if (std::fscanf(statm, "%lld %lld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

class HostLifecycle : public HostEditorWindow
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEditorWindow::SetUp());
        probe = openTestDisplay();
        ASSERT_NE(probe, nullptr);
        int eventBase = 0;
        int errorBase = 0;
        ASSERT_TRUE(XResQueryExtension(probe, &eventBase, &errorBase)) << "the X server lacks X-Resource";
    }

    void TearDown() override
    {
        if (probe != nullptr)
            XCloseDisplay(probe);
    }

    // One opening as a host makes it: open, a few idle calls that draw, close.
    void cycle()
    {
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        for (int i = 0; i < 3; ++i)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
        }
        instance.dispatch(effEditClose);
        window.pumpMessages();
    }

    // The server frees a closed connection's resources on its own schedule; wait, bounded,
    // until it has settled on the expected number of clients.
    ServerResources settledResources(int expectedClients)
    {
        ServerResources now = serverResources(probe);
        for (int attempt = 0; attempt < 200 && now.clients != expectedClients; ++attempt)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            now = serverResources(probe);
        }
        return now;
    }

    Display* probe = nullptr;
};

TEST_F(HostLifecycle, FiftyOpeningsGiveBackEveryServerResourceAndTheMemory)
{
    // The kept context's connection is the one more that may outlive an opening.
    const int hostClients = serverResources(probe).clients + 1;
    // Warm-up: the first openings load the skin, the GL driver and its caches for good.
    for (int i = 0; i < 5; ++i)
        cycle();
    const ServerResources before = settledResources(hostClients);
    ASSERT_EQ(before.clients, hostClients) << "an X connection outlived its editor";
    const long long heapBefore = heapInUse();
    const long long residentBefore = residentBytes();

    // While open, the editor's resources are visible to the probe: it can see a leak.
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    instance.dispatch(effEditIdle);
    const ServerResources open = serverResources(probe);
    instance.dispatch(effEditClose);
    EXPECT_GT(open.resources, before.resources);

    for (int i = 0; i < 50; ++i)
        cycle();
    const ServerResources after = settledResources(hostClients);
    EXPECT_EQ(after.clients, hostClients) << "an X connection outlived its editor";
    EXPECT_EQ(after.resources, before.resources) << "X resources left behind by 50 openings";
    EXPECT_LT(heapInUse() - heapBefore, kHeapGrowthLimit);
    EXPECT_LT(residentBytes() - residentBefore, kResidentGrowthLimit);
    std::fprintf(stderr, "50 openings: X clients %d -> %d, X resources %lld -> %lld, heap %+lld B, RSS %+lld B\n",
                 before.clients, after.clients, before.resources, after.resources, heapInUse() - heapBefore,
                 residentBytes() - residentBefore);
}

// Two instances draw with one context, kept while either exists: their editors open at
// once add a connection each and no second context; the context goes with the last.
TEST_F(HostLifecycle, TheSharedContextStaysWithAnyInstanceAndGoesWithTheLast)
{
    HostWindow otherWindow{kWidth, kHeight};
    ASSERT_TRUE(otherWindow.valid());
    const ServerResources start = serverResources(probe);
    {
        EffectInstance other;
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        ASSERT_EQ(other.dispatch(effEditOpen, 0, 0, otherWindow.handle()), 1);
        for (int i = 0; i < 3; ++i)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            otherWindow.pumpMessages();
            other.dispatch(effEditIdle);
        }
        EXPECT_EQ(serverResources(probe).clients, start.clients + 3) << "two windows' connections and one context's";
        instance.dispatch(effEditClose);
        other.dispatch(effEditClose);
        EXPECT_EQ(settledResources(start.clients + 1).clients, start.clients + 1) << "the context went too early";
        instance.close();
        EXPECT_EQ(settledResources(start.clients + 1).clients, start.clients + 1) << "the context went too early";
    }
    const ServerResources end = settledResources(start.clients);
    EXPECT_EQ(end.clients, start.clients) << "the context outlived the last instance";
    EXPECT_EQ(end.resources, start.resources) << "X resources left behind by the last instance";
}

}  // namespace
