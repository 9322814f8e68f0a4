#pragma once

// The root of the VST 3 binary interface: result codes, 16-byte ids, FUnknown. Written from
// the public VST 3 interface headers (SDK 3.7.14).
//
// Each interface is a struct whose one member points to its table of function pointers. A
// table starts with its base interface's table (FUnknown's three methods at the root) and
// goes on with its own methods in the interface's order. We declare them this way rather
// than as pure virtual classes because the layout is then written out and checked slot by
// slot below each table, instead of trusting that mingw-w64's g++ lays out vtables as the
// compilers of Windows hosts do; and because one object of ours can offer several interfaces
// without multiple inheritance. Every method gets the interface pointer it was called
// through as `self`, where C++ passes `this`. Both our targets are x86_64: one calling
// convention (the interface's __stdcall is ignored there), and every record below is laid
// out naturally, which is what the interface's packing of 16 amounts to there.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace vst3
{

static_assert(sizeof(void*) == 8, "VST 3 modules are built for 64-bit hosts only");

// The SDK revision these declarations were written from, as a class reports it.
constexpr char kSdkVersionString[] = "VST 3.7.14";

using tresult = std::int32_t;
using TBool = std::uint8_t;
using FIDString = const char*;

// Windows uses COM's HRESULT values; other platforms count up from 0.
#if defined(_WIN32)
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002);
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFF);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000E);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif
constexpr tresult kResultTrue = kResultOk;

// A class or interface id as it travels: 16 bytes.
using Tuid = std::array<std::uint8_t, 16>;

// The interface lists each id as four 32-bit words. Windows keeps the bytes as a COM GUID
// does (the first word, then the two halves of the second, least significant byte first);
// everywhere else all four words go most significant byte first.
enum class TuidOrder
{
    com,
    wordsBigEndian,
};

#if defined(_WIN32)
constexpr TuidOrder kPlatformTuidOrder = TuidOrder::com;
#else
constexpr TuidOrder kPlatformTuidOrder = TuidOrder::wordsBigEndian;
#endif

// A TUID from the four words' bytes, most significant first: the order in which a class id's
// text spells them.
constexpr Tuid tuidFromSpelledBytes(Tuid spelled, TuidOrder order = kPlatformTuidOrder)
{
    if (order == TuidOrder::com)
    {
        std::swap(spelled[0], spelled[3]);
        std::swap(spelled[1], spelled[2]);
        std::swap(spelled[4], spelled[5]);
        std::swap(spelled[6], spelled[7]);
    }
    return spelled;
}

constexpr Tuid makeTuid(std::uint32_t first, std::uint32_t second, std::uint32_t third, std::uint32_t fourth,
                        TuidOrder order = kPlatformTuidOrder)
{
    const std::uint32_t words[4] = {first, second, third, fourth};
    Tuid spelled{};
    for (std::size_t i = 0; i < spelled.size(); ++i)
        spelled[i] = static_cast<std::uint8_t>(words[i / 4] >> (8 * (3 - i % 4)));
    return tuidFromSpelledBytes(spelled, order);
}

// Where the method with this index sits in an interface's table.
constexpr std::size_t slotOffset(std::size_t index)
{
    return index * sizeof(void*);
}

struct FUnknownVtable
{
    // Answers kResultOk and one more reference in *object, or kNoInterface and null.
    tresult (*queryInterface)(void* self, const Tuid* iid, void** object);
    std::uint32_t (*addRef)(void* self);
    std::uint32_t (*release)(void* self);
};

struct FUnknown
{
    const FUnknownVtable* vtable;
};

constexpr Tuid kFUnknownIid = makeTuid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);

static_assert(sizeof(Tuid) == 16 && alignof(Tuid) == 1);
static_assert(sizeof(FUnknownVtable) == slotOffset(3) && offsetof(FUnknownVtable, release) == slotOffset(2));
static_assert(sizeof(FUnknown) == 8);

// FUnknown's methods on any interface. Its table is the first member of every table (nested
// all the way down), so the cast below reaches it as the language allows.
template <typename Interface> const FUnknownVtable& unknownMethods(Interface* object)
{
    return *reinterpret_cast<const FUnknownVtable*>(object->vtable);
}

template <typename Interface> std::uint32_t addRef(Interface* object)
{
    return unknownMethods(object).addRef(object);
}

template <typename Interface> std::uint32_t release(Interface* object)
{
    return unknownMethods(object).release(object);
}

// The interface asked for, with a reference the caller releases; null when the object has none.
template <typename Wanted, typename Interface> Wanted* queryInterface(Interface* object, const Tuid& iid)
{
    void* found = nullptr;
    if (unknownMethods(object).queryInterface(object, &iid, &found) != kResultOk)
        return nullptr;
    return static_cast<Wanted*>(found);
}

}  // namespace vst3
