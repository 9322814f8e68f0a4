#pragma once

#include "params/PlainValues.h"
#include "support/TestSignals.h"

#include "Lv2BundleWorld.h"

#include <lilv/lilv.h>
#include <lv2/state/state.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A small LV2 host over lilv for black-box tests (on the host kit's world and URI map):
// instances run the way hosts run them, every port connected, control values in the host's
// own buffers.

inline constexpr char kLv2PluginUri[] = "https://brackwel.com/plugins/vantor-pro";
inline constexpr std::uint32_t kParameterPorts = 42;
// The one property the state extension saves: the program chunk.
inline constexpr char kLv2ProgramKey[] = "https://brackwel.com/plugins/vantor-pro#program";

// The bundle named by VANTOR_LV2_BUNDLE, loaded once per process; its plug-in is null (and
// the test failed) when it is not ours.
Lv2BundleWorld& lv2Bundle();

// What a test's host offers the plug-in at instantiation.
enum class Lv2HostFeatures
{
    UridMapAndUnmap,
    None,
};

// One instance with its control ports at their defaults, activated; in and out share buffers.
class Lv2Instance
{
public:
    explicit Lv2Instance(double sampleRate, Lv2HostFeatures offered = Lv2HostFeatures::UridMapAndUnmap);
    ~Lv2Instance();
    Lv2Instance(const Lv2Instance&) = delete;
    Lv2Instance& operator=(const Lv2Instance&) = delete;

    bool created() const { return instance != nullptr; }
    LilvInstance* lilvInstance() const { return instance; }
    float& control(std::uint32_t port) { return controls[port]; }
    // A parameter's normalised value, written to its port in the port's units.
    void setValue(std::uint32_t port, float value) { controls[port] = plainValueFor(static_cast<int>(port), value); }
    // Runs the signal through in place, in blocks of the lengths given, over and over;
    // `beforeBlock` (if given) may set control values for each block, given its number.
    void render(StereoSignal& signal, const std::vector<std::size_t>& blockLengths,
                const std::function<void(Lv2Instance&, std::size_t)>& beforeBlock = {});
    // What the latency port reads after a run of no samples.
    float reportedLatency();
    // What a float holds once the latency port is connected to it, with no call after: the
    // port is then connected back to the instance's own value.
    float latencyOnConnection();
    std::uint32_t latencyPort() const;

    // The instance's state as lilv takes it (ports and the state extension); caller frees.
    LilvState* state();
    // Restores a state as hosts do: the state extension first, then the port values.
    void restore(const LilvState* state);
    // The program chunk the state extension saves now.
    std::vector<unsigned char> savedChunk();
    // The state extension's save into `chunk`, as it answers.
    LV2_State_Status saveChunk(std::vector<unsigned char>& chunk);

private:
    LilvInstance* instance = nullptr;
    std::vector<float> controls;
    std::vector<const LV2_Feature*> features;
    LV2_Feature mapFeature;
    LV2_Feature unmapFeature;
};

// The state extension's restore given one property value, as a host's retrieve hands it.
struct OfferedProperty
{
    LV2_URID key;
    LV2_URID type;
    std::vector<unsigned char> bytes;
};
LV2_State_Status restoreOffered(Lv2Instance& plugin, const OfferedProperty& offered);
