#pragma once

// What the DSP binary's LV2 handle starts with, and so what a host that offers
// instance-access hands the UI binary. The two binaries are linked apart and may come from
// different builds, so they meet only through this C record: fixed-width numbers, plain
// buffers with their lengths, and functions of the DSP binary taking its context. The UI
// reads structSize and version first and uses nothing else of a record that is not exactly
// its own; any change below raises kLv2InstanceAccessVersion.
//
// Threads: every function is called from the host's UI thread. The context outlives the DSP
// instance until the UI releases it; once the instance is gone the functions do nothing.

#include <stdint.h>

#ifdef __cplusplus
extern "C"
{
#endif

    static const uint32_t kLv2InstanceAccessVersion = 1;

    // The meters' peaks since the last take (each cleared in the DSP instance as it is taken).
    typedef struct Lv2MeterPeaks
    {
        float left;
        float right;
        float clip;  // 1 when a block clipped
        float bass;
        float sizzle;
    } Lv2MeterPeaks;

    // One signal's stereo image, into the caller's point buffer.
    typedef struct Lv2ImageSide
    {
        float correlationFast;
        float correlationSlow;
        float balance;
        float levelDb;
        float* points;           // the caller's: side, mid, side, mid, ...
        uint32_t pointCapacity;  // the caller's: pairs `points` holds
        uint32_t pointCount;     // pairs written
    } Lv2ImageSide;

    typedef struct Lv2InstanceAccess
    {
        uint32_t structSize;  // sizeof(Lv2InstanceAccess)
        uint32_t version;     // kLv2InstanceAccessVersion
        char product[32];     // the identity's product name, NUL-terminated
        void* context;

        // Takes a share of the context, which the UI releases when it closes.
        void (*retain)(void* context);
        void (*release)(void* context);
        // Whether the live displays' analyses run: while an editor shows them.
        void (*setDisplaysWanted)(void* context, uint32_t wanted);
        void (*takeMeters)(void* context, Lv2MeterPeaks* peaks);
        // The newest spectrum when one came since the last take: the points copied, else 0.
        uint32_t (*takeSpectrum)(void* context, float* points, uint32_t capacity);
        // The newest stereo image when one came since the last take: 1, else 0.
        uint32_t (*takeStereoImage)(void* context, Lv2ImageSide* input, Lv2ImageSide* output);
        // The program's name, cut to capacity - 1 bytes and NUL-terminated; its whole length.
        uint32_t (*programName)(void* context, char* name, uint32_t capacity);
        void (*renameProgram)(void* context, const char* name, uint32_t length);
    } Lv2InstanceAccess;

#ifdef __cplusplus
}
#endif
