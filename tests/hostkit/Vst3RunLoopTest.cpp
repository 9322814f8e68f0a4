#include "Vst3RunLoop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

using namespace std::chrono_literals;

namespace
{

// A plug-in's timer and descriptor handler, counting its calls and doing what a test asks.
class FakeHandler : public Vst3HostObject
{
public:
    FakeHandler() : timer{{&Entries::kTimerVtable}, this}, events{{&Entries::kEventVtable}, this} {}

    vst3::ITimerHandler* timerHandler() { return &timer.view; }
    vst3::IEventHandler* eventHandler() { return &events.view; }

    int timerCalls = 0;
    std::vector<vst3::FileDescriptor> readyFds;
    std::function<void()> onCall;

private:
    struct Entries
    {
        static void onTimer(void* self)
        {
            FakeHandler& handler = objectOf<FakeHandler, vst3::ITimerHandler>(self);
            ++handler.timerCalls;
            if (handler.onCall)
                handler.onCall();
        }

        static void onFdIsSet(void* self, vst3::FileDescriptor fd)
        {
            FakeHandler& handler = objectOf<FakeHandler, vst3::IEventHandler>(self);
            handler.readyFds.push_back(fd);
            if (handler.onCall)
                handler.onCall();
        }

        static constexpr vst3::ITimerHandlerVtable kTimerVtable{unknownMethods<vst3::ITimerHandler>(), onTimer};
        static constexpr vst3::IEventHandlerVtable kEventVtable{unknownMethods<vst3::IEventHandler>(), onFdIsSet};
    };

    void* primaryInterface() override { return &timer.view; }
    void* interfaceFor(const vst3::Tuid& iid) override
    {
        if (iid == vst3::kITimerHandlerIid)
            return &timer.view;
        return iid == vst3::kIEventHandlerIid ? &events.view : nullptr;
    }

    Offered<vst3::ITimerHandler> timer;
    Offered<vst3::IEventHandler> events;
};

constexpr vst3::TimerInterval kMinute = 60000;

}  // namespace

TEST(Vst3RunLoop, RunsEachTimerWhenDueAndHoldsItsHandlerUntilUnregistered)
{
    Vst3RunLoop loop;
    vst3::IRunLoop* runLoop = loop.runLoop();
    FakeHandler plugin;
    const auto start = Vst3RunLoop::Clock::now();
    EXPECT_EQ(runLoop->vtable->registerTimer(runLoop, plugin.timerHandler(), kMinute), vst3::kResultOk);
    EXPECT_EQ(plugin.references(), 2u);
    EXPECT_EQ(runLoop->vtable->registerTimer(runLoop, nullptr, kMinute), vst3::kInvalidArgument);
    EXPECT_EQ(runLoop->vtable->registerTimer(runLoop, plugin.timerHandler(), 0), vst3::kInvalidArgument);

    EXPECT_EQ(loop.fireDueTimers(start), 0);
    EXPECT_EQ(loop.fireDueTimers(start + 61s), 1);
    EXPECT_EQ(plugin.timerCalls, 1);
    EXPECT_EQ(loop.fireDueTimers(start + 62s), 0) << "next due a period later";

    EXPECT_EQ(runLoop->vtable->unregisterTimer(runLoop, plugin.timerHandler()), vst3::kResultOk);
    EXPECT_EQ(plugin.references(), 1u);
    EXPECT_EQ(runLoop->vtable->unregisterTimer(runLoop, plugin.timerHandler()), vst3::kResultFalse);
    EXPECT_EQ(loop.fireDueTimers(start + 1h), 0);
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST(Vst3RunLoop, ATimerUnregisteredByAnotherInTheSameTurnDoesNotRun)
{
    FakeHandler first, second;  // outliving the loop, which lets go of them when it goes
    Vst3RunLoop loop;
    vst3::IRunLoop* runLoop = loop.runLoop();
    first.onCall = [&] { runLoop->vtable->unregisterTimer(runLoop, second.timerHandler()); };
    runLoop->vtable->registerTimer(runLoop, first.timerHandler(), kMinute);
    runLoop->vtable->registerTimer(runLoop, second.timerHandler(), kMinute);

    EXPECT_EQ(loop.fireDueTimers(Vst3RunLoop::Clock::now() + 2min), 1);
    EXPECT_EQ(first.timerCalls, 1);
    EXPECT_EQ(second.timerCalls, 0);
    EXPECT_EQ(second.references(), 1u);
}

TEST(Vst3RunLoop, RefusesCallsOffItsThreadAndLetsGoOfHandlersWhenItGoes)
{
    FakeHandler plugin;
    {
        Vst3RunLoop loop;
        vst3::IRunLoop* runLoop = loop.runLoop();
        vst3::tresult fromElsewhere = vst3::kResultOk;
        std::thread([&] { fromElsewhere = runLoop->vtable->registerTimer(runLoop, plugin.timerHandler(), kMinute); })
            .join();
        EXPECT_EQ(fromElsewhere, vst3::kResultFalse);
        EXPECT_EQ(loop.misuses(), 1);
        EXPECT_EQ(loop.timerCount(), 0u);

        runLoop->vtable->registerTimer(runLoop, plugin.timerHandler(), kMinute);
        runLoop->vtable->registerTimer(runLoop, plugin.timerHandler(), kMinute);
        EXPECT_EQ(plugin.references(), 3u);
    }
    EXPECT_EQ(plugin.references(), 1u);
}

#if !defined(_WIN32)
TEST(Vst3RunLoop, ReportsAReadableDescriptorToItsHandlerUntilUnregistered)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const int readEnd = pipeEnds[0], writeEnd = pipeEnds[1];

    Vst3RunLoop loop;
    vst3::IRunLoop* runLoop = loop.runLoop();
    FakeHandler plugin;
    plugin.onCall = [&]
    {
        char byte;
        EXPECT_EQ(read(readEnd, &byte, 1), 1);
    };
    EXPECT_EQ(runLoop->vtable->registerEventHandler(runLoop, plugin.eventHandler(), readEnd), vst3::kResultOk);
    EXPECT_EQ(runLoop->vtable->registerEventHandler(runLoop, plugin.eventHandler(), readEnd), vst3::kResultFalse);
    EXPECT_EQ(runLoop->vtable->registerEventHandler(runLoop, plugin.eventHandler(), -1), vst3::kInvalidArgument);
    EXPECT_EQ(plugin.references(), 2u);

    EXPECT_EQ(loop.pump(), 0) << "nothing to read yet";
    ASSERT_EQ(write(writeEnd, "x", 1), 1);
    EXPECT_EQ(loop.pump(), 1);
    EXPECT_EQ(plugin.readyFds, (std::vector<vst3::FileDescriptor>{readEnd}));
    EXPECT_EQ(loop.pump(), 0) << "the handler read it";

    EXPECT_EQ(runLoop->vtable->unregisterEventHandler(runLoop, plugin.eventHandler()), vst3::kResultOk);
    EXPECT_EQ(plugin.references(), 1u);
    ASSERT_EQ(write(writeEnd, "y", 1), 1);
    EXPECT_EQ(loop.pump(), 0);
    EXPECT_EQ(loop.watchCount(), 0u);
    close(readEnd);
    close(writeEnd);
}
#else
TEST(Vst3RunLoop, WatchesNoDescriptorsOnWindows)
{
    Vst3RunLoop loop;
    vst3::IRunLoop* runLoop = loop.runLoop();
    FakeHandler plugin;
    EXPECT_EQ(runLoop->vtable->registerEventHandler(runLoop, plugin.eventHandler(), 0), vst3::kNotImplemented);
    EXPECT_EQ(plugin.references(), 1u);
}
#endif
