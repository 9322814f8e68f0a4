#include "Vst3HostContext.h"
#include "Vst3PlugFrame.h"
#include "Vst3RunLoop.h"
#include "vst3/Vst3Strings.h"

#include <gtest/gtest.h>

namespace
{

// A plug-in's view that reports its size and takes the sizes the host gives it. Plain
// fields only, so the interface pointer leads back to the whole record.
struct FakeView
{
    vst3::IPlugView view{&kVtable};
    vst3::ViewRect size{0, 0, 512, 624};
    int sizesGiven = 0;

    static FakeView& of(void* self) { return *reinterpret_cast<FakeView*>(self); }

    static vst3::tresult getSize(void* self, vst3::ViewRect* rect)
    {
        *rect = of(self).size;
        return vst3::kResultOk;
    }

    static vst3::tresult onSize(void* self, vst3::ViewRect* rect)
    {
        ++of(self).sizesGiven;
        of(self).size = *rect;
        return vst3::kResultOk;
    }

    // The kit's frame must ask nothing else of a view.
    static constexpr vst3::IPlugViewVtable kVtable = []
    {
        vst3::IPlugViewVtable table{};
        table.getSize = getSize;
        table.onSize = onSize;
        return table;
    }();
};

// What a plug-in gets when it asks an object of the kit for the run loop.
vst3::IRunLoop* askForRunLoop(void* held)
{
    return vst3::queryInterface<vst3::IRunLoop>(static_cast<vst3::FUnknown*>(held), vst3::kIRunLoopIid);
}

}  // namespace

TEST(Vst3HostContext, NamesTheKitAndMakesNoHostObjects)
{
    Vst3RunLoop loop;
    Vst3HostContext host(loop);
    vst3::IHostApplication* application = host.application();
    vst3::String128 name;
    EXPECT_EQ(application->vtable->getName(application, name), vst3::kResultOk);
    EXPECT_EQ(vst3::utf16ToAscii(name, vst3::kString128Size), "Vantor host kit");
    EXPECT_EQ(application->vtable->getName(application, nullptr), vst3::kInvalidArgument);

    int marker = 0;
    void* message = &marker;
    EXPECT_EQ(application->vtable->createInstance(application, &vst3::kIMessageIid, &vst3::kIMessageIid, &message),
              vst3::kNotImplemented);
    EXPECT_EQ(message, nullptr);
    EXPECT_EQ(vst3::queryInterface<vst3::IConnectionPoint>(application, vst3::kIConnectionPointIid), nullptr);
}

TEST(Vst3HostContext, TheContextAndThePlugFrameHandOutTheLinuxRunLoop)
{
    Vst3RunLoop loop;
    Vst3HostContext host(loop);
    Vst3PlugFrame frame(loop);
#if defined(_WIN32)
    EXPECT_EQ(askForRunLoop(host.application()), nullptr);
    EXPECT_EQ(askForRunLoop(frame.frame()), nullptr);
#else
    vst3::IRunLoop* fromContext = askForRunLoop(host.application());
    vst3::IRunLoop* fromFrame = askForRunLoop(frame.frame());
    EXPECT_EQ(fromContext, loop.runLoop());
    EXPECT_EQ(fromFrame, loop.runLoop());
    EXPECT_EQ(loop.references(), 3u) << "the references are the run loop's";
    EXPECT_EQ(host.references(), 1u);
    EXPECT_EQ(frame.references(), 1u);
    vst3::release(fromContext);
    vst3::release(fromFrame);
    EXPECT_EQ(loop.references(), 1u);
#endif
}

TEST(Vst3PlugFrame, RecordsEachRequestAndGivesTheViewANewSizeInTheSameCall)
{
    Vst3RunLoop loop;
    Vst3PlugFrame owner(loop);
    vst3::IPlugFrame* frame = owner.frame();
    FakeView view;

    vst3::ViewRect larger{0, 0, 1024, 1248};
    EXPECT_EQ(frame->vtable->resizeView(frame, &view.view, &larger), vst3::kResultOk);
    EXPECT_EQ(view.sizesGiven, 1);
    EXPECT_EQ(view.size.right, 1024);
    EXPECT_EQ(view.size.bottom, 1248);

    vst3::ViewRect moved{10, 10, 1034, 1258};
    EXPECT_EQ(frame->vtable->resizeView(frame, &view.view, &moved), vst3::kResultOk);
    EXPECT_EQ(view.sizesGiven, 1) << "the same size again needs no onSize";
    EXPECT_EQ(frame->vtable->resizeView(frame, nullptr, &moved), vst3::kInvalidArgument);
    EXPECT_EQ(frame->vtable->resizeView(frame, &view.view, nullptr), vst3::kInvalidArgument);

    ASSERT_EQ(owner.resizeRequests().size(), 2u);
    EXPECT_EQ(owner.resizeRequests()[1].left, 10);
}
