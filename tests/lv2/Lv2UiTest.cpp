// The LV2 UI binary in a small host of lilv's kind under Xvfb: the DSP instance made by
// lilv, the UI binary found through the bundle's description, opened in a real X window of
// the host's with the features hosts give (parent, touch, resize, options, instance-access),
// idled as hosts idle it and driven by real X pointer events.
#include "Lv2TestHost.h"
#include "editor/EditorLayout.h"
#include "host/HostWindow.h"
#include "host/PointerInput.h"
#include "lv2shell/Lv2InstanceAccess.h"
#include "support/CapturedFrame.h"
#include "support/TestSignals.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;

int xErrors = 0;
int countXError(Display*, XErrorEvent*)
{
    ++xErrors;
    return 0;
}

// The UI binary the bundle's description names, loaded once.
const LV2UI_Descriptor* uiDescriptor()
{
    static const LV2UI_Descriptor* descriptor = []() -> const LV2UI_Descriptor*
    {
        Lv2BundleWorld& world = lv2Bundle();
        if (world.plugin() == nullptr)
            return nullptr;
        LilvUIs* uis = lilv_plugin_get_uis(world.plugin());
        const LilvUI* ui = uis != nullptr ? lilv_uis_get(uis, lilv_uis_begin(uis)) : nullptr;
        if (ui == nullptr || !lilv_ui_is_a(ui, world.uri(LV2_UI__X11UI)))
            return nullptr;
        char* path = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
        void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        lilv_free(path);
        auto entry = library != nullptr ? reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"))
                                        : nullptr;
        return entry != nullptr ? entry(0) : nullptr;
    }();
    return descriptor;
}

struct PortWrite
{
    std::uint32_t port;
    float value;
};

struct Touch
{
    std::uint32_t port;
    bool grabbed;
};

class Lv2UiSession : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The editor's preferences live in a scratch folder for the whole program, the
        // machine-wide place too.
        std::string folder = (std::filesystem::temp_directory_path() / "vantor-lv2ui-XXXXXX").string();
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        setenv("XDG_CONFIG_DIRS", (folder + "/machine").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
        XSetErrorHandler(countXError);
    }

    void SetUp() override
    {
        ASSERT_NE(uiDescriptor(), nullptr) << "no X11 UI binary in the bundle";
        ASSERT_TRUE(dsp->created());
        ASSERT_TRUE(window.valid() && pointer.valid()) << "no window system (run under Xvfb)";
        pointer.moveTo(kWidth + 50, 10);
        xErrors = 0;
    }

    void TearDown() override { closeUi(); }

    // What the host hands as instance-access: the DSP instance, nothing, the handle of
    // something else (another plug-in's), or the DSP instance's record as another build of
    // it would lay it out (another version, another size).
    enum class Access
    {
        Own,
        Withheld,
        Foreign,
        OtherVersion,
        OtherSize,
    };

    // Makes the UI with the features given; false when the UI refused.
    bool openUi(Access access = Access::Own, float scaleFactor = 0.0f, bool parent = true)
    {
        Lv2UridMap& urids = lv2Bundle().urids();
        scale = scaleFactor;
        options[0] = {LV2_OPTIONS_INSTANCE,       0,     urids.map(LV2_UI__scaleFactor), sizeof(float),
                      urids.map(LV2_ATOM__Float), &scale};
        options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        touchData = {this, [](LV2UI_Feature_Handle self, std::uint32_t port, bool grabbed) {
                         static_cast<Lv2UiSession*>(self)->touches.push_back({port, grabbed});
                     }};
        resizeData = {this, [](LV2UI_Feature_Handle self, int width, int height)
                      {
                          static_cast<Lv2UiSession*>(self)->requestedSizes.push_back({width, height});
                          return 0;
                      }};
        featureRecords = {
            {LV2_UI__parent, parentWindow != nullptr ? parentWindow : window.handle()},
            {LV2_URID__map, urids.mapFeature()},
            {LV2_UI__touch, &touchData},
            {LV2_UI__resize, &resizeData},
            {LV2_OPTIONS__options, options},
            {LV2_INSTANCE_ACCESS_URI, instanceHandle(access)},
        };
        std::vector<const LV2_Feature*> features;
        for (const LV2_Feature& feature : featureRecords)
        {
            const bool offered = (parent || feature.URI != std::string(LV2_UI__parent)) &&
                                 (access != Access::Withheld || feature.URI != std::string(LV2_INSTANCE_ACCESS_URI)) &&
                                 (scaleFactor > 0.0f || feature.URI != std::string(LV2_OPTIONS__options));
            if (offered)
                features.push_back(&feature);
        }
        features.push_back(nullptr);
        const std::string bundle = std::filesystem::path(std::getenv("VANTOR_LV2_BUNDLE")).string() + "/";
        ui = uiDescriptor()->instantiate(
            uiDescriptor(), kLv2PluginUri, bundle.c_str(),
            [](LV2UI_Controller self, std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* buffer)
            {
                if (format == 0 && size == sizeof(float))
                    static_cast<Lv2UiSession*>(self)->writes.push_back({port, *static_cast<const float*>(buffer)});
            },
            this, &widget, features.data());
        if (ui == nullptr)
            return false;
        idle = static_cast<const LV2UI_Idle_Interface*>(uiDescriptor()->extension_data(LV2_UI__idleInterface));
        // Hosts send every control port's value once the UI is made.
        for (std::uint32_t port = 0; port < kParameterPorts; ++port)
            portEvent(port, dsp->control(port));
        return idle != nullptr;
    }

    void* instanceHandle(Access access)
    {
        void* own = lilv_instance_get_handle(dsp->lilvInstance());
        if (access != Access::OtherVersion && access != Access::OtherSize)
            return access == Access::Foreign ? foreignInstance.data() : own;
        Lv2InstanceAccess record;
        std::memcpy(&record, own, sizeof record);
        if (access == Access::OtherVersion)
            ++record.version;
        else
            record.structSize += 8;
        std::memcpy(otherBuild.data(), &record, sizeof record);
        return otherBuild.data();
    }

    void closeUi()
    {
        if (ui != nullptr)
            uiDescriptor()->cleanup(ui);
        ui = nullptr;
        window.pumpMessages();
    }

    void portEvent(std::uint32_t port, float value)
    {
        dsp->control(port) = value;
        uiDescriptor()->port_event(ui, port, sizeof(float), 0, &value);
    }

    // Host idle calls about every 20 ms; while `playing`, the DSP instance first runs a block
    // of noise.
    void idleFor(int calls, bool playing = false)
    {
        for (int i = 0; i < calls; ++i)
        {
            window.pumpMessages();
            if (playing)
            {
                StereoSignal block = stereoNoise(1024, 0.5f);
                dsp->render(block, {1024});
            }
            EXPECT_EQ(idle->idle(ui), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    CapturedFrame settledFrame(bool playing = false)
    {
        idleFor(6, playing);
        return CapturedFrame::read();
    }

    static const layout::Row& row(const std::string& name)
    {
        for (const layout::Row& candidate : layout::controlRows())
        {
            if (name == candidate.name)
                return candidate;
        }
        throw std::runtime_error("no layout row " + name);
    }

    // A layout position (from the faceplate's bottom-left corner) in window pixels.
    static std::pair<int, int> windowPoint(float relativeX, float relativeY)
    {
        return {static_cast<int>(std::lround(kWidth / 2.0f + layout::leftEdge(kWidth) + relativeX)),
                static_cast<int>(std::lround(kHeight / 2.0f - layout::bottomEdge(kHeight) - relativeY))};
    }

    // Mean absolute difference of two frames' pixels around a control.
    static double differenceAround(const CapturedFrame& a, const CapturedFrame& b, const layout::Row& control)
    {
        const auto [left, top] = windowPoint(control.origin[0], control.origin[1] + control.size[1]);
        const auto [right, bottom] = windowPoint(control.origin[0] + control.size[0], control.origin[1]);
        double sum = 0.0;
        int count = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, a.height); ++y)
        {
            for (int x = std::max(left, 0); x < std::min(right, a.width); ++x)
            {
                for (int c = 0; c < 3; ++c)
                    sum += std::fabs(static_cast<double>(a.pixel(x, y)[c]) - b.pixel(x, y)[c]);
                ++count;
            }
        }
        return count > 0 ? sum / count : 0.0;
    }

    std::unique_ptr<Lv2Instance> dsp = std::make_unique<Lv2Instance>(48000.0);
    HostWindow window{kWidth, kHeight};
    // The parent openUi offers: the window above unless a test names another.
    void* parentWindow = nullptr;
    PointerInput pointer;
    LV2UI_Handle ui = nullptr;
    LV2UI_Widget widget = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    std::vector<PortWrite> writes;
    std::vector<Touch> touches;
    std::vector<std::pair<int, int>> requestedSizes;

private:
    float scale = 0.0f;
    LV2_Options_Option options[2]{};
    LV2UI_Touch touchData{};
    LV2UI_Resize resizeData{};
    std::vector<LV2_Feature> featureRecords;
    std::vector<char> foreignInstance = std::vector<char>(sizeof(Lv2InstanceAccess) + 64, 'x');
    std::vector<char> otherBuild = std::vector<char>(sizeof(Lv2InstanceAccess) + 64);
};

}  // namespace

TEST_F(Lv2UiSession, OpensInTheHostsWindowAndShowsWhatThePortsSay)
{
    ASSERT_TRUE(openUi());
    EXPECT_EQ(widget, window.firstChild()) << "the widget is the editor's window inside the host's";
    ASSERT_FALSE(requestedSizes.empty());
    EXPECT_EQ(requestedSizes.back(), std::make_pair(kWidth, kHeight));
    const CapturedFrame before = settledFrame();
    ASSERT_EQ(before.width, kWidth) << "no frame presented";

    const layout::Row& width = row("Stereo Width");
    // Ports carry the user's units: the full width is 100 %.
    portEvent(static_cast<std::uint32_t>(width.parameter), 100.0f);
    const CapturedFrame wide = settledFrame();
    EXPECT_GT(differenceAround(before, wide, width), 1.0) << "the port's value moved the slider";
    portEvent(static_cast<std::uint32_t>(width.parameter),
              plainValueFor(width.parameter, kParameterTable[width.parameter].defaultValue));
    EXPECT_EQ(settledFrame().rgba, before.rgba) << "back at the default, the same picture";
    EXPECT_TRUE(writes.empty()) << "the host's own changes are not written back";
}

TEST_F(Lv2UiSession, ADragWritesThePortBetweenTouches)
{
    ASSERT_TRUE(openUi());
    settledFrame();
    const layout::Row& gain = row("Gain");
    const auto [x, y] = windowPoint(gain.centre[0], gain.centre[1]);
    pointer.moveTo(x, y);
    idleFor(2);
    pointer.press();
    idleFor(2);
    for (int step = 1; step <= 4; ++step)
    {
        pointer.moveTo(x, y - 10 * step);
        idleFor(1);
    }
    pointer.release();
    idleFor(2);

    const auto port = static_cast<std::uint32_t>(gain.parameter);
    ASSERT_GE(touches.size(), 2u);
    EXPECT_EQ(touches.front().port, port);
    EXPECT_TRUE(touches.front().grabbed);
    EXPECT_EQ(touches.back().port, port);
    EXPECT_FALSE(touches.back().grabbed);
    ASSERT_FALSE(writes.empty());
    for (const PortWrite& write : writes)
        EXPECT_EQ(write.port, port);
    EXPECT_GT(writes.back().value, 0.5f) << "dragged up from 0 dB, written in dB";
}

// A UI refusing the instance (none offered, another plug-in's, another build's) opens as with
// hosts that lack instance-access: quiet displays, working controls.
TEST_F(Lv2UiSession, TheDisplaysReadTheDspInstanceOnlyThroughAnAccessRecordOfTheirOwnBuild)
{
    const layout::Row& panel = row("stereo gain panel");
    const layout::Row& width = row("Stereo Width");
    const auto widthPort = static_cast<std::uint32_t>(width.parameter);
    for (const Access access :
         {Access::Own, Access::Withheld, Access::Foreign, Access::OtherVersion, Access::OtherSize})
    {
        SCOPED_TRACE(static_cast<int>(access));
        ASSERT_TRUE(openUi(access));
        const CapturedFrame quiet = settledFrame();
        const CapturedFrame playing = settledFrame(true);
        if (access == Access::Own)
            EXPECT_GT(differenceAround(quiet, playing, panel), 0.5) << "the spectrum shows the noise";
        else
            EXPECT_EQ(differenceAround(quiet, playing, panel), 0.0) << "no source: the displays stay quiet";
        portEvent(widthPort, 1.0f);
        EXPECT_GT(differenceAround(playing, settledFrame(), width), 1.0) << "the port's value moved the slider";
        portEvent(widthPort, kParameterTable[width.parameter].defaultValue);
        closeUi();
    }
}

// The Scope's stereo image comes from the DSP instance through the same record, counted as
// this opening's, not the one before.
TEST_F(Lv2UiSession, TheScopeShowsTheDspInstancesStereoImage)
{
    const layout::Row& panel = row("stereo gain panel");
    const auto clickPanel = [&]
    {
        const auto [x, y] = windowPoint(panel.centre[0], panel.centre[1]);
        pointer.moveTo(x, y);
        idleFor(2);
        pointer.press();
        idleFor(1);
        pointer.release();
        // Away, so that no help panel covers the Scope.
        pointer.moveTo(kWidth + 50, 10);
        idleFor(2);
    };
    ASSERT_TRUE(openUi());
    settledFrame();
    clickPanel();
    const CapturedFrame quiet = settledFrame();
    const CapturedFrame playing = settledFrame(true);
    EXPECT_GT(differenceAround(quiet, playing, panel), 0.5) << "the Scope shows the noise";
    // The choice is remembered: the next tests expect the design's view.
    clickPanel();
}

// LV2 has the host clean the UI up first; one that frees the DSP instance before leaves a UI
// that idles on (its displays fed no more) and closes cleanly. (Another instance keeps the DSP
// binary loaded, as in a session with more than one: nothing can stand in for unloaded code.)
TEST_F(Lv2UiSession, AUiOutlivingItsDspInstanceIdlesOnAndCloses)
{
    const Lv2Instance another{48000.0};
    ASSERT_TRUE(openUi());
    settledFrame(true);
    dsp.reset();
    idleFor(10);
    closeUi();
    EXPECT_EQ(window.childCount(), 0);
}

TEST_F(Lv2UiSession, TheSizeMenuAsksTheHostAndResizesTheSameWindow)
{
    // The V emblem, and the menu's rows below it (automatic, then 100 % up to 300 %, 200 % the
    // fifth), in design pixels from the window's top-left corner.
    const auto click = [this](int designX, int designY, int factor)
    {
        pointer.moveTo(designX * factor, designY * factor);
        idleFor(2);
        pointer.press();
        idleFor(2);
        pointer.release();
        idleFor(3);
    };
    const auto pickSize = [&](int choice, int factor)
    {
        click(50, 34, factor);
        click(73, 66 + choice * 18, factor);
    };
    ASSERT_TRUE(openUi());
    settledFrame();
    pickSize(5, 1);
    ASSERT_FALSE(requestedSizes.empty());
    EXPECT_EQ(requestedSizes.back(), std::make_pair(2 * kWidth, 2 * kHeight));
    EXPECT_EQ(window.firstChild(), widget) << "the host embeds one window for the UI's life";
    EXPECT_EQ(settledFrame().width, 2 * kWidth);
    // Back to automatic, which the next openings remember: 100 % without a host's factor.
    pickSize(0, 2);
    EXPECT_EQ(requestedSizes.back(), std::make_pair(kWidth, kHeight));
    EXPECT_EQ(window.firstChild(), widget);
}

// A host may hand over a window that is gone by then: the UI is not made and leaves nothing,
// and the next one in a real window works and draws. Also run in a process of its own
// (lv2_ui_tests_alone), where the failed opening is the first.
TEST_F(Lv2UiSession, AUiForAGoneWindowIsRefusedAndTheNextOneDraws)
{
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        HostWindow gone{kWidth, kHeight};
        gone.destroy();
        parentWindow = gone.handle();
        EXPECT_FALSE(openUi());
        parentWindow = nullptr;
        ASSERT_TRUE(openUi());
        idleFor(10);
        EXPECT_TRUE(window.showsDrawnEditor(kWidth, kHeight));
        closeUi();
        EXPECT_EQ(window.childCount(), 0);
    }
}

TEST_F(Lv2UiSession, TwentyOpeningsAndClosingsLeaveNoWindowAndNoXError)
{
    for (int cycle = 0; cycle < 20; ++cycle)
    {
        ASSERT_TRUE(openUi()) << "opening " << cycle;
        idleFor(2);
        closeUi();
    }
    EXPECT_EQ(window.childCount(), 0);
    EXPECT_EQ(xErrors, 0);

    // The host's scale factor sizes the window; without a parent there is nothing to open in.
    ASSERT_TRUE(openUi(Access::Own, 2.0f));
    EXPECT_EQ(requestedSizes.back(), std::make_pair(2 * kWidth, 2 * kHeight));
    closeUi();
    EXPECT_FALSE(openUi(Access::Own, 0.0f, false));
}
