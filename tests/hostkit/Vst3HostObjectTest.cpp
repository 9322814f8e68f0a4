#include "Vst3ComponentHandler.h"
#include "Vst3HostContext.h"
#include "Vst3MemoryStream.h"
#include "Vst3ParameterChanges.h"
#include "Vst3PlugFrame.h"
#include "Vst3RunLoop.h"
#include "vst3/Vst3Abi.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace
{

struct Answer
{
    const char* name;
    vst3::Tuid iid;
    void* interface;  // what the object must hand out for the id
};

// A plug-in holding one of the object's interfaces asks for each id: every answer is the
// expected interface with one more reference, an id the object does not offer is refused,
// and releasing what it took brings the count back to where it started.
void expectCountedAnswers(const Vst3HostObject& object, void* held, std::initializer_list<Answer> answers)
{
    auto* unknown = static_cast<vst3::FUnknown*>(held);
    const std::uint32_t start = object.references();
    std::vector<vst3::FUnknown*> taken;
    for (const Answer& answer : answers)
    {
        void* found = nullptr;
        EXPECT_EQ(vst3::unknownMethods(unknown).queryInterface(unknown, &answer.iid, &found), vst3::kResultOk)
            << answer.name;
        EXPECT_EQ(found, answer.interface) << answer.name;
        if (found != nullptr)
            taken.push_back(static_cast<vst3::FUnknown*>(found));
    }
    EXPECT_EQ(object.references(), start + taken.size());

    int marker = 0;
    void* refused = &marker;
    EXPECT_EQ(vst3::unknownMethods(unknown).queryInterface(unknown, &vst3::kIComponentIid, &refused),
              vst3::kNoInterface);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(vst3::unknownMethods(unknown).queryInterface(unknown, nullptr, &refused), vst3::kInvalidArgument);
    EXPECT_EQ(vst3::unknownMethods(unknown).queryInterface(unknown, &vst3::kFUnknownIid, nullptr),
              vst3::kInvalidArgument);

    for (vst3::FUnknown* interface : taken)
        vst3::release(interface);
    EXPECT_EQ(object.references(), start);
    EXPECT_EQ(object.misuses(), 0);
}

}  // namespace

TEST(Vst3HostObject, CountsReferencesAndRefusesToReleaseTheKitsOwn)
{
    Vst3MemoryStream memory;
    vst3::IBStream* stream = memory.stream();
    EXPECT_EQ(memory.references(), 1u);
    EXPECT_EQ(vst3::addRef(stream), 2u);
    EXPECT_EQ(vst3::addRef(stream), 3u);
    EXPECT_EQ(vst3::release(stream), 2u);
    EXPECT_EQ(vst3::release(stream), 1u);
    EXPECT_EQ(memory.misuses(), 0);

    EXPECT_EQ(vst3::release(stream), 1u) << "the kit's own reference stays";
    EXPECT_EQ(memory.misuses(), 1);
    EXPECT_EQ(memory.references(), 1u);
}

TEST(Vst3HostObject, EachObjectAnswersForItsOwnInterfacesAndFUnknown)
{
    Vst3MemoryStream memory;
    expectCountedAnswers(
        memory, memory.stream(),
        {{"FUnknown", vst3::kFUnknownIid, memory.stream()}, {"IBStream", vst3::kIBStreamIid, memory.stream()}});
}
