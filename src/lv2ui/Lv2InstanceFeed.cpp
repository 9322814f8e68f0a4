#include "lv2ui/Lv2InstanceFeed.h"

#include "identity/EffectIdentity.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

bool isOwnRecord(const Lv2InstanceAccess& record)
{
    return std::memchr(record.product, '\0', sizeof record.product) != nullptr &&
           std::strcmp(record.product, kEffectIdentity.product) == 0 && record.context != nullptr &&
           record.retain != nullptr && record.release != nullptr && record.setDisplaysWanted != nullptr &&
           record.takeMeters != nullptr && record.takeSpectrum != nullptr && record.takeStereoImage != nullptr &&
           record.programName != nullptr && record.renameProgram != nullptr;
}

// The local meter keeps its own release; only a higher peak of the instance raises it.
void raise(std::atomic<float>& meter, float peak)
{
    if (std::isfinite(peak) && peak > meter.load(std::memory_order_relaxed))
        meter.store(peak, std::memory_order_relaxed);
}

void copySide(const Lv2ImageSide& side, StereoImageReading& reading)
{
    reading.correlationFast = side.correlationFast;
    reading.correlationSlow = side.correlationSlow;
    reading.balance = side.balance;
    reading.levelDb = side.levelDb;
    reading.pointCount = static_cast<int>(std::min<std::uint32_t>(side.pointCount, kScopePointCapacity));
    for (int i = 0; i < reading.pointCount; ++i)
        reading.points[i] = {side.points[2 * i], side.points[2 * i + 1]};
}

}  // namespace

std::unique_ptr<Lv2InstanceFeed> Lv2InstanceFeed::accept(const void* handle)
{
    if (handle == nullptr)
        return nullptr;
    // Size and version come first in every build's record; nothing else is read before
    // they match.
    std::uint32_t header[2] = {};
    std::memcpy(header, handle, sizeof header);
    if (header[0] != sizeof(Lv2InstanceAccess) || header[1] != kLv2InstanceAccessVersion)
        return nullptr;
    Lv2InstanceAccess record;
    std::memcpy(&record, handle, sizeof record);
    if (!isOwnRecord(record))
        return nullptr;
    return std::unique_ptr<Lv2InstanceFeed>(new Lv2InstanceFeed(record));
}

Lv2InstanceFeed::Lv2InstanceFeed(const Lv2InstanceAccess& record)
    : access(record), inputPoints(2 * kScopePointCapacity), outputPoints(2 * kScopePointCapacity)
{
    access.retain(access.context);
}

Lv2InstanceFeed::~Lv2InstanceFeed()
{
    if (wantedSent)
        access.setDisplaysWanted(access.context, 0);
    access.release(access.context);
}

void Lv2InstanceFeed::pull()
{
    const bool wanted = mirror.displayWanted();
    if (wanted != wantedSent)
        access.setDisplaysWanted(access.context, wanted ? 1 : 0);
    wantedSent = wanted;
    if (!wanted)
        return;

    Lv2MeterPeaks peaks{};
    access.takeMeters(access.context, &peaks);
    EngineMeters& meters = mirror.meters();
    raise(meters.peakLeft, peaks.left);
    raise(meters.peakRight, peaks.right);
    raise(meters.bassMeter, peaks.bass);
    raise(meters.sizzleMeter, peaks.sizzle);
    if (peaks.clip != 0.0f)
        meters.clipFlag.store(1.0f, std::memory_order_relaxed);

    SpectrumHandOff& spectrum = mirror.displaySpectrum();
    if (access.takeSpectrum(access.context, spectrum.fillBuffer(), kSpectrumPoints) == kSpectrumPoints)
        spectrum.publish();
    pullStereoImage();
}

void Lv2InstanceFeed::pullStereoImage()
{
    Lv2ImageSide input{};
    input.points = inputPoints.data();
    input.pointCapacity = kScopePointCapacity;
    Lv2ImageSide output = input;
    output.points = outputPoints.data();
    if (access.takeStereoImage(access.context, &input, &output) == 0)
        return;
    StereoImageHandOff& image = mirror.displayStereoImage();
    copySide(input, image.fillSnapshot().input);
    copySide(output, image.fillSnapshot().output);
    // The DSP side hands over only its current opening's images; here they belong to the
    // UI's own.
    image.fillSnapshot().opening = image.openings();
    image.publish();
}

std::string Lv2InstanceFeed::programName()
{
    char name[64] = {};
    access.programName(access.context, name, sizeof name);
    return name;
}

void Lv2InstanceFeed::renameProgram(const std::string& name)
{
    access.renameProgram(access.context, name.data(), static_cast<std::uint32_t>(name.size()));
}
