// libFuzzer target: a host's calls in any order and with any values, the dispatcher's
// opcodes interleaved with processing and parameter changes. Pointers are what the calling
// convention allows (null, or room enough for what the opcode reads or writes); every other
// argument is arbitrary. After the sequence every parameter must be finite and noise must
// come out finite. Under a window system (the fuzz script runs this target under Xvfb) the
// editor is open in a host window throughout, and an idle call with an odd index first has
// the window system ask for a repaint, so the editor draws whatever the calls left. Opening
// and drawing are slow on a software rasteriser: the editor opens once for the whole run
// (its opening and closing are the host tests' subject), and an input asks for a bounded
// number of repaints.
#include "FuzzedEffect.h"
#include "host/HostWindow.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace
{

class ByteStream
{
public:
    ByteStream(const std::uint8_t* bytes, std::size_t length) : data(bytes), size(length) {}
    bool empty() const { return position >= size; }
    std::uint8_t byte() { return position < size ? data[position++] : 0; }
    template <typename T> T value()
    {
        T result{};
        const std::size_t count = std::min(sizeof(T), size - std::min(position, size));
        std::memcpy(&result, data + position, count);
        position += count;
        return result;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

constexpr std::size_t kBufferSize = 4096;
constexpr int kRepaintsPerInput = 2;

// Mesa unloads its driver when the last display that used it closes, and LeakSanitizer then
// can neither name nor suppress what the driver keeps for the process's life: a display of
// our own keeps it loaded.
void holdGlDriver()
{
    static Display* const display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return;
    int count = 0;
    if (GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), nullptr, &count))
        XFree(configs);
}

HostWindow* editorWindow()
{
    static HostWindow* const window = []() -> HostWindow*
    {
        if (std::getenv("DISPLAY") == nullptr)
            return nullptr;
        holdGlDriver();
        return new HostWindow(512, 624);
    }();
    return window != nullptr && window->valid() ? window : nullptr;
}
constexpr VstInt32 kHighestOpcode = effGetNumMidiOutputChannels + 2;

void callDispatcher(FuzzedEffect& fuzzed, ByteStream& in, std::array<unsigned char, kBufferSize>& buffer,
                    int& repaints)
{
    const auto opcode = static_cast<VstInt32>(in.byte() % (kHighestOpcode + 1));
    // The host's own lifetime calls, driven by the host and editor tests.
    if (opcode == effClose || opcode == effEditOpen || opcode == effEditClose)
        return;
    const auto index = in.value<VstInt32>();
    auto value = static_cast<VstIntPtr>(in.value<std::int32_t>());
    const float opt = in.value<float>();
    void* ptr = nullptr;
    if ((in.byte() & 1) != 0)
    {
        const std::uint8_t fill = in.byte();
        buffer.fill(fill);
        buffer[kBufferSize - 1] = 0;  // strings the effect reads end inside the buffer
        ptr = buffer.data();
    }
    // The speaker-arrangement calls take a second pointer in value; effSetChunk a size.
    if (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)
        value = ptr != nullptr ? reinterpret_cast<VstIntPtr>(buffer.data() + kBufferSize / 2) : 0;
    if (opcode == effSetChunk)
        value = ptr != nullptr ? value & 4095 : value;
    HostWindow* window = editorWindow();
    if (opcode == effEditIdle && window != nullptr && (index & 1) != 0 && repaints < kRepaintsPerInput)
    {
        ++repaints;
        window->exposeChildren();
        window->pumpMessages();
    }
    fuzzed.dispatch(opcode, index, value, ptr, opt);
}

void processBlock(FuzzedEffect& fuzzed, ByteStream& in)
{
    const int frames = in.value<std::uint16_t>() % 3000;
    std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
    const float amplitude = static_cast<float>(in.byte()) / 255.0f;
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        left[i] = amplitude * static_cast<float>((i * 7919) % 200) / 100.0f - amplitude;
        right[i] = -left[i];
    }
    float* channels[2] = {left.data(), right.data()};
    AEffect* effect = fuzzed.aeffect();
    effect->processReplacing(effect, channels, channels, frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzedEffect fuzzed;
    static std::array<unsigned char, kBufferSize> buffer{};
    static const bool editorOpen =
        editorWindow() != nullptr && fuzzed.dispatch(effEditOpen, 0, 0, editorWindow()->handle()) != 0;
    (void)editorOpen;
    fuzzed.reset();
    ByteStream in(data, size);
    int repaints = 0;
    while (!in.empty())
    {
        switch (in.byte() % 4)
        {
        case 0:
        case 1: callDispatcher(fuzzed, in, buffer, repaints); break;
        case 2: processBlock(fuzzed, in); break;
        default:
        {
            AEffect* effect = fuzzed.aeffect();
            const auto index = static_cast<VstInt32>(in.byte()) - 8;
            effect->setParameter(effect, index, in.value<float>());
            break;
        }
        }
    }
    fuzzed.requireSaneState();
    return 0;
}
