#include "lv2shell/Lv2InstanceLink.h"

#include "engine/EngineHost.h"
#include "identity/EffectIdentity.h"
#include "lv2shell/Lv2Effect.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <mutex>
#include <string>

namespace
{

// What the record's context points at. The lock keeps the instance's end away from a UI
// call in progress and serialises UIs sharing one instance, each taking from the one-reader
// hand-offs; the audio thread never touches it.
struct InstanceLink
{
    std::mutex mutex;
    Lv2Effect* effect;
    // The instance's share and each UI's; the last to let go frees the link.
    int shares = 1;
};

InstanceLink& linkOf(void* context)
{
    return *static_cast<InstanceLink*>(context);
}

// Runs `call` on the instance's engine host while the instance lives. Nothing thrown
// crosses into the UI binary.
template <typename Call> void withEngine(void* context, Call call) noexcept
{
    InstanceLink& link = linkOf(context);
    std::lock_guard<std::mutex> lock(link.mutex);
    EngineHost* engine = link.effect != nullptr ? link.effect->engineHost() : nullptr;
    if (engine != nullptr)
        call(*engine);
}

void retain(void* context)
{
    InstanceLink& link = linkOf(context);
    std::lock_guard<std::mutex> lock(link.mutex);
    ++link.shares;
}

void release(void* context)
{
    InstanceLink& link = linkOf(context);
    bool last = false;
    {
        std::lock_guard<std::mutex> lock(link.mutex);
        last = --link.shares == 0;
    }
    if (last)
        delete &link;
}

void setDisplaysWanted(void* context, std::uint32_t wanted)
{
    withEngine(context, [wanted](EngineHost& engine) { engine.setDisplayWanted(wanted != 0); });
}

void takeMeters(void* context, Lv2MeterPeaks* peaks)
{
    *peaks = {};
    withEngine(context,
               [peaks](EngineHost& engine)
               {
                   EngineMeters& meters = engine.meters();
                   peaks->left = meters.peakLeft.exchange(0.0f, std::memory_order_relaxed);
                   peaks->right = meters.peakRight.exchange(0.0f, std::memory_order_relaxed);
                   peaks->clip = meters.clipFlag.exchange(0.0f, std::memory_order_relaxed);
                   peaks->bass = meters.bassMeter.exchange(0.0f, std::memory_order_relaxed);
                   peaks->sizzle = meters.sizzleMeter.exchange(0.0f, std::memory_order_relaxed);
               });
}

std::uint32_t takeSpectrum(void* context, float* points, std::uint32_t capacity)
{
    std::uint32_t copied = 0;
    withEngine(context,
               [&](EngineHost& engine)
               {
                   SpectrumHandOff& spectrum = engine.displaySpectrum();
                   if (!spectrum.hasNews())
                       return;
                   copied = std::min<std::uint32_t>(capacity, kSpectrumPoints);
                   std::memcpy(points, spectrum.takeLatest(), copied * sizeof(float));
               });
    return copied;
}

void copySide(const StereoImageReading& reading, Lv2ImageSide& side)
{
    side.correlationFast = reading.correlationFast;
    side.correlationSlow = reading.correlationSlow;
    side.balance = reading.balance;
    side.levelDb = reading.levelDb;
    side.pointCount = std::min<std::uint32_t>(
        side.pointCapacity, static_cast<std::uint32_t>(std::clamp(reading.pointCount, 0, kScopePointCapacity)));
    for (std::uint32_t i = 0; i < side.pointCount; ++i)
    {
        side.points[2 * i] = reading.points[i].side;
        side.points[2 * i + 1] = reading.points[i].mid;
    }
}

std::uint32_t takeStereoImage(void* context, Lv2ImageSide* input, Lv2ImageSide* output)
{
    std::uint32_t taken = 0;
    withEngine(context,
               [&](EngineHost& engine)
               {
                   StereoImageHandOff& image = engine.displayStereoImage();
                   if (!image.hasNews())
                       return;
                   const StereoImageSnapshot& snapshot = image.takeLatest();
                   // One measured while the UI was last open is not this opening's.
                   if (snapshot.opening != image.openings())
                       return;
                   copySide(snapshot.input, *input);
                   copySide(snapshot.output, *output);
                   taken = 1;
               });
    return taken;
}

std::uint32_t programName(void* context, char* name, std::uint32_t capacity)
{
    std::string text;
    {
        InstanceLink& link = linkOf(context);
        std::lock_guard<std::mutex> lock(link.mutex);
        try
        {
            if (link.effect != nullptr)
                text = link.effect->editorSide().programName();
        }
        catch (const std::exception&)
        {
            text.clear();
        }
    }
    if (capacity > 0)
    {
        const std::size_t copied = std::min<std::size_t>(text.size(), capacity - 1);
        std::memcpy(name, text.data(), copied);
        name[copied] = '\0';
    }
    return static_cast<std::uint32_t>(text.size());
}

void renameProgram(void* context, const char* name, std::uint32_t length)
{
    InstanceLink& link = linkOf(context);
    std::lock_guard<std::mutex> lock(link.mutex);
    try
    {
        if (link.effect != nullptr)
            link.effect->editorSide().renameProgram(std::string(name, length));
    }
    catch (const std::exception&)
    {
        // The name stays as it was.
    }
}

}  // namespace

Lv2InstanceAccess beginLv2InstanceAccess(Lv2Effect& effect)
{
    Lv2InstanceAccess access{};
    access.structSize = sizeof(Lv2InstanceAccess);
    access.version = kLv2InstanceAccessVersion;
    std::strncpy(access.product, kEffectIdentity.product, sizeof(access.product) - 1);
    access.context = new InstanceLink{{}, &effect};
    access.retain = retain;
    access.release = release;
    access.setDisplaysWanted = setDisplaysWanted;
    access.takeMeters = takeMeters;
    access.takeSpectrum = takeSpectrum;
    access.takeStereoImage = takeStereoImage;
    access.programName = programName;
    access.renameProgram = renameProgram;
    return access;
}

void endLv2InstanceAccess(const Lv2InstanceAccess& access)
{
    InstanceLink& link = linkOf(access.context);
    {
        std::lock_guard<std::mutex> lock(link.mutex);
        link.effect = nullptr;
    }
    release(access.context);
}
