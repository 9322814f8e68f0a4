#include "ClapHost.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

// What a plug-in gets when it asks its host record for an extension.
template <typename Extension> const Extension* hostExtension(const ClapHost& host, const char* id)
{
    const clap::Host* record = host.host();
    return static_cast<const Extension*>(record->getExtension(record, id));
}

template <typename Call> void onAnotherThread(Call call)
{
    std::thread thread(call);
    thread.join();
}

}  // namespace

TEST(ClapHost, OffersItsExtensionsOnlyFromThePluginsInitOnAndNotTheWithheldOnes)
{
    ClapHost host;
    const clap::Host* record = host.host();
    EXPECT_TRUE(clap::isCompatible(record->clapVersion));
    EXPECT_EQ(hostExtension<clap::HostParams>(host, clap::kExtParams), nullptr) << "asked before init";
    EXPECT_EQ(host.misuses(), 1);

    host.withholdExtension(clap::kExtTimerSupport);
    host.allowCallbacks();
    for (const char* id :
         {clap::kExtParams, clap::kExtLatency, clap::kExtState, clap::kExtGui, clap::kExtThreadCheck, clap::kExtLog})
        EXPECT_NE(hostExtension<void>(host, id), nullptr) << id;
    EXPECT_EQ(hostExtension<void>(host, clap::kExtTimerSupport), nullptr);
    EXPECT_EQ(hostExtension<void>(host, "clap.no-such-extension"), nullptr);
#if defined(_WIN32)
    EXPECT_EQ(hostExtension<void>(host, clap::kExtPosixFdSupport), nullptr);
#else
    EXPECT_NE(hostExtension<void>(host, clap::kExtPosixFdSupport), nullptr);
#endif
    EXPECT_EQ(host.misuses(), 1);
}

TEST(ClapHost, TellsTheMainThreadFromTheAudioThread)
{
    ClapHost host;
    host.allowCallbacks();
    const auto* check = hostExtension<clap::HostThreadCheck>(host, clap::kExtThreadCheck);
    ASSERT_NE(check, nullptr);
    const clap::Host* record = host.host();
    EXPECT_TRUE(check->isMainThread(record));
    EXPECT_FALSE(check->isAudioThread(record));

    bool mainThereBefore = true, audioInside = false, mainInside = true, audioAfter = true;
    onAnotherThread(
        [&]
        {
            mainThereBefore = check->isMainThread(record);
            {
                ClapHost::AudioThreadScope audioThread(host);
                audioInside = check->isAudioThread(record);
                mainInside = check->isMainThread(record);
            }
            audioAfter = check->isAudioThread(record);
        });
    EXPECT_FALSE(mainThereBefore);
    EXPECT_TRUE(audioInside);
    EXPECT_FALSE(mainInside);
    EXPECT_FALSE(audioAfter);
    EXPECT_FALSE(check->isAudioThread(record)) << "the main thread never held the audio role";
}

TEST(ClapHost, RecordsWhatThePluginAsksAndCountsCallsThatBreakTheRules)
{
    ClapHost host;
    host.allowCallbacks();
    const clap::Host* record = host.host();
    const auto* params = hostExtension<clap::HostParams>(host, clap::kExtParams);
    const auto* latency = hostExtension<clap::HostLatency>(host, clap::kExtLatency);
    const auto* timers = hostExtension<clap::HostTimerSupport>(host, clap::kExtTimerSupport);
    ASSERT_TRUE(params != nullptr && latency != nullptr && timers != nullptr);

    params->rescan(record, clap::kParamRescanValues);
    params->clear(record, 12, clap::kParamClearAutomations);
    params->requestFlush(record);
    latency->changed(record);  // not while being activated
    EXPECT_EQ(host.misuses(), 1);
    host.setBeingActivated(true);
    latency->changed(record);
    host.setBeingActivated(false);
    host.setActive(true);
    params->rescan(record, clap::kParamRescanAll);  // only allowed while deactivated
    EXPECT_EQ(host.misuses(), 2);

    onAnotherThread(
        [&]
        {
            params->rescan(record, clap::kParamRescanText);  // a main-thread call: refused
            ClapHost::AudioThreadScope audioThread(host);
            params->requestFlush(record);
            record->requestCallback(record);  // allowed anywhere
        });
    EXPECT_EQ(host.misuses(), 4);
    EXPECT_EQ(host.paramRescans(),
              (std::vector<clap::ParamRescanFlags>{clap::kParamRescanValues, clap::kParamRescanAll}));
    ASSERT_EQ(host.paramClears().size(), 1u);
    EXPECT_EQ(host.paramClears()[0].paramId, 12u);
    EXPECT_EQ(host.paramClears()[0].flags, clap::kParamClearAutomations);
    EXPECT_EQ(host.flushRequests(), 2);
    EXPECT_EQ(host.latencyChanges(), 2);
    EXPECT_EQ(host.callbackRequests(), 1);

    clap::Id first = clap::kInvalidId, second = clap::kInvalidId;
    ASSERT_TRUE(timers->registerTimer(record, 30, &first));
    ASSERT_TRUE(timers->registerTimer(record, 30, &second));
    EXPECT_NE(first, second);
    EXPECT_TRUE(timers->unregisterTimer(record, first));
    EXPECT_FALSE(timers->unregisterTimer(record, first));
    EXPECT_EQ(host.timerIds(), (std::vector<clap::Id>{second}));
}

#if !defined(_WIN32)
TEST(ClapHost, KeepsEachWatchedDescriptorOnceWithItsLatestFlags)
{
    ClapHost host;
    host.allowCallbacks();
    const clap::Host* record = host.host();
    const auto* fds = hostExtension<clap::HostPosixFdSupport>(host, clap::kExtPosixFdSupport);
    ASSERT_NE(fds, nullptr);

    EXPECT_TRUE(fds->registerFd(record, 5, clap::kPosixFdRead));
    EXPECT_FALSE(fds->registerFd(record, 5, clap::kPosixFdWrite)) << "already watched";
    EXPECT_FALSE(fds->registerFd(record, -1, clap::kPosixFdRead));
    EXPECT_FALSE(fds->modifyFd(record, 6, clap::kPosixFdRead)) << "never registered";
    EXPECT_TRUE(fds->modifyFd(record, 5, clap::kPosixFdRead | clap::kPosixFdWrite));
    EXPECT_EQ(host.watchedFds(), (std::map<int, clap::PosixFdFlags>{{5, clap::kPosixFdRead | clap::kPosixFdWrite}}));
    EXPECT_TRUE(fds->unregisterFd(record, 5));
    EXPECT_FALSE(fds->unregisterFd(record, 5));
    EXPECT_TRUE(host.watchedFds().empty());
}
#endif
