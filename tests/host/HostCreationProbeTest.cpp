// What a host's plug-in scan costs: creating and destroying an effect, in either format,
// opens no X display, asks for no GL entry point and reads no skin file. The program
// interposes the calls every such use starts with (its own definitions win over the
// system's for the module too) and counts them.
#include "ClapTestSupport.h"
#include "host/PluginHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>

namespace
{

std::atomic<int> displaysOpened{0};
std::atomic<int> glLookups{0};
std::atomic<int> skinFilesOpened{0};

// The system's own function: libc's is next in line; the module's X11 and GL libraries are
// loaded privately with it, so theirs are asked of them by name.
template <typename Function> Function next(const char* name, const char* library = nullptr)
{
    void* handle = library != nullptr ? dlopen(library, RTLD_LAZY) : RTLD_NEXT;
    return reinterpret_cast<Function>(handle != nullptr ? dlsym(handle, name) : nullptr);
}

void noteFile(const char* path)
{
    if (path != nullptr && std::strstr(path, "/Skin/") != nullptr)
        ++skinFilesOpened;
}

struct Counts
{
    int displays;
    int gl;
    int skinFiles;
};

Counts counts()
{
    return {displaysOpened.load(), glLookups.load(), skinFilesOpened.load()};
}

}  // namespace

// Exported, so the module's calls bind to these (the build hides symbols by default).
#define PROBE extern "C" __attribute__((visibility("default")))

PROBE void* XOpenDisplay(const char* name)
{
    ++displaysOpened;
    return next<void* (*)(const char*)>("XOpenDisplay", "libX11.so.6")(name);
}

PROBE void* glXGetProcAddressARB(const unsigned char* name)
{
    ++glLookups;
    return next<void* (*)(const unsigned char*)>("glXGetProcAddressARB", "libGL.so.1")(name);
}

PROBE void* glXGetProcAddress(const unsigned char* name)
{
    ++glLookups;
    return next<void* (*)(const unsigned char*)>("glXGetProcAddress", "libGL.so.1")(name);
}

PROBE FILE* fopen(const char* path, const char* mode)
{
    noteFile(path);
    return next<FILE* (*)(const char*, const char*)>("fopen")(path, mode);
}

PROBE FILE* fopen64(const char* path, const char* mode)
{
    noteFile(path);
    return next<FILE* (*)(const char*, const char*)>("fopen64")(path, mode);
}

PROBE int open(const char* path, int flags, ...)
{
    noteFile(path);
    va_list arguments;
    va_start(arguments, flags);
    const auto mode = static_cast<mode_t>(va_arg(arguments, int));
    va_end(arguments);
    return next<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}

TEST(HostCreationProbe, CreatingAndDestroyingEitherFormatTouchesNoWindowSystemGlOrSkin)
{
    {
        EffectInstance vst;
        ASSERT_NE(vst.effect(), nullptr);
        EXPECT_NE(vst.effect()->flags & effFlagsHasEditor, 0);
        vst.text(effGetParamDisplay, 1);
        vst.chunk(true);
    }
    {
        auto clap = initialisedPlugin();
        ASSERT_NE(clap, nullptr);
        EXPECT_TRUE(clap->guiIsApiSupported(ClapPluginInstance::platformWindowApi()));
        ASSERT_TRUE(clap->activate(48000.0, 1, 512));
        clap->deactivate();
    }
    const Counts after = counts();
    EXPECT_EQ(after.displays, 0);
    EXPECT_EQ(after.gl, 0);
    EXPECT_EQ(after.skinFiles, 0);

    // The probes see the module's calls: asking the editor's size consults the desktop, and
    // opening it reads the skin (there is no display here to open a window on).
    EffectInstance vst;
    ERect* rect = nullptr;
    EXPECT_EQ(vst.dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_GT(counts().displays, 0);
    vst.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t{1}));
    vst.dispatch(effEditClose);
    EXPECT_GT(counts().skinFiles, 0);
}
