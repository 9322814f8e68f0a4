// The editor's size through the module, as a host sets it: the factor a host announces, the
// desktop's, and the pointer's arithmetic in design pixels at every size.
#include "FramePixels.h"
#include "HostEditorWindow.h"
#include "HostPointer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <utility>
#include <vector>

#if !defined(_WIN32)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;
// The Sizzle dial's centre in design pixels from the window's top-left corner.
constexpr int kSizzleX = 467;
constexpr int kSizzleY = 272;
constexpr int kSizzle = 3;
// The logo, and the size menu's rows below it (automatic first, then 100 % up to 300 %), in
// design pixels from the window's top-left corner.
constexpr int kLogoX = 50;
constexpr int kLogoY = 34;
constexpr int kMenuX = 73;
constexpr int kFirstChoiceY = 66;
constexpr int kChoiceStep = 18;
constexpr int kAutomaticChoice = 0;
constexpr int kChoice200 = 5;
// Mean difference (0..255 per channel) between a frame drawn larger and scaled back down and
// the frame drawn at 100 %: edges and text are drawn afresh at every size, so they differ a
// little; a stretched, cropped or misplaced picture differs by tens.
constexpr double kScaledBackTolerance = 6.0;

struct Size
{
    int width;
    int height;
    bool operator==(const Size&) const = default;
};

void announceScale(const EffectInstance& instance, float factor)
{
    ASSERT_EQ(instance.dispatch(effVendorSpecific, fourCharCode('P', 'r', 'e', 'S'), fourCharCode('A', 'e', 'C', 's'),
                                nullptr, factor),
              1);
}

Size editorRect(const EffectInstance& instance)
{
    ERect* rect = nullptr;
    if (instance.dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr)
        return {0, 0};
    return {rect->right - rect->left, rect->bottom - rect->top};
}

// The frame shrunk to the design size, each design pixel the mean of the window pixels it
// covers (partly covered ones in part).
std::vector<double> scaledBack(const CapturedFrame& frame)
{
    const double sx = static_cast<double>(frame.width) / kWidth;
    const double sy = static_cast<double>(frame.height) / kHeight;
    std::vector<double> result(static_cast<std::size_t>(kWidth) * kHeight * 3, 0.0);
    for (int y = 0; y < kHeight; ++y)
    {
        for (int x = 0; x < kWidth; ++x)
        {
            double sum[3] = {};
            double weight = 0.0;
            for (int py = static_cast<int>(y * sy);
                 py < std::min(frame.height, static_cast<int>(std::ceil((y + 1) * sy))); ++py)
            {
                const double wy = std::min<double>(py + 1, (y + 1) * sy) - std::max<double>(py, y * sy);
                for (int px = static_cast<int>(x * sx);
                     px < std::min(frame.width, static_cast<int>(std::ceil((x + 1) * sx))); ++px)
                {
                    const double w = wy * (std::min<double>(px + 1, (x + 1) * sx) - std::max<double>(px, x * sx));
                    for (int c = 0; c < 3; ++c)
                        sum[c] += w * frame.pixel(px, py)[c];
                    weight += w;
                }
            }
            for (int c = 0; c < 3; ++c)
                result[(static_cast<std::size_t>(y) * kWidth + x) * 3 + c] = sum[c] / weight;
        }
    }
    return result;
}

double meanDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += std::fabs(a[i] - b[i]);
    return sum / static_cast<double>(a.size());
}

class HostScale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
        ASSERT_TRUE(window.valid()) << "no window system";
        HostRecorder::instance().sizeWindowAnswer = 1;
    }

    void TearDown() override
    {
        instance.dispatch(effEditClose);
        HostRecorder::instance().sizeWindowAnswer = 1;
    }

    void idleFor(int calls) { idleEditor(window, *idled, calls); }

    // The frame presented last once the version line is gone and nothing moves any more.
    CapturedFrame settledFrame()
    {
        idleFor(130);
        std::remove(CapturedFrame::path().c_str());
        window.exposeChildren();
        idleFor(4);
        return CapturedFrame::read();
    }

    CapturedFrame openedFrame()
    {
        EXPECT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        return settledFrame();
    }

    // The first frames of a new opening: enough where only the size matters.
    CapturedFrame openedQuickly()
    {
        EXPECT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        idleFor(3);
        return CapturedFrame::read();
    }

    // Drags the Sizzle dial upwards by `designPixels` at the given factor and answers the
    // value the host was told.
    float sizzleAfterDrag(float factor, int designPixels)
    {
        instance.setParameter(kSizzle, 0.2f);
        idleFor(3);
        const int x = static_cast<int>(std::lround(kSizzleX * factor));
        const int y = static_cast<int>(std::lround(kSizzleY * factor));
        pointer.moveTo(x, y);
        idleFor(2);
        pointer.press(HostPointer::Left);
        idleFor(2);
        for (int step = 1; step <= 4; ++step)
        {
            pointer.moveTo(x, y - static_cast<int>(std::lround(designPixels * factor)) * step / 4);
            idleFor(1);
        }
        pointer.release(HostPointer::Left);
        idleFor(2);
        return instance.getParameter(kSizzle);
    }

    void clickAt(int designX, int designY, float factor)
    {
        pointer.moveTo(static_cast<int>(std::lround(designX * factor)),
                       static_cast<int>(std::lround(designY * factor)));
        idleFor(2);
        pointer.press(HostPointer::Left);
        idleFor(2);
        pointer.release(HostPointer::Left);
        idleFor(2);
    }

    void pickSize(int choice, float factor)
    {
        clickAt(kLogoX, kLogoY, factor);
        clickAt(kMenuX, kFirstChoiceY + choice * kChoiceStep, factor);
        idleFor(3);
    }

    HostWindow window{1600, 1900};
    HostPointer pointer{window.handle()};
    EffectInstance instance;
    // The instance whose editor the idle calls drive.
    const EffectInstance* idled = &instance;
};

TEST_F(HostScale, TheHostsFactorSizesTheEditorAndItDrawsTheSamePicture)
{
    const CapturedFrame reference = openedFrame();
    ASSERT_EQ(reference.width, kWidth);
    instance.dispatch(effEditClose);
    const std::vector<double> referenceBack = scaledBack(reference);
    for (const float factor : {1.25f, 1.5f, 2.0f, 3.0f})
    {
        announceScale(instance, factor);
        const Size expected{static_cast<int>(std::lround(kWidth * factor)),
                            static_cast<int>(std::lround(kHeight * factor))};
        EXPECT_EQ(editorRect(instance), expected) << factor;
        const CapturedFrame frame = openedFrame();
        ASSERT_EQ((Size{frame.width, frame.height}), expected) << factor;
        EXPECT_EQ(editorRect(instance), expected) << factor;
        EXPECT_LT(meanDifference(scaledBack(frame), referenceBack), kScaledBackTolerance) << factor;
        if (factor == 2.0f)
        {
            // The frame the other platform's build compares with.
            if (const char* out = std::getenv("VANTOR_REFERENCE_FRAME_2X_OUT"))
            {
                std::ifstream source(CapturedFrame::path(), std::ios::binary);
                std::ofstream copy(out, std::ios::binary);
                copy << source.rdbuf();
            }
            if (const char* in = std::getenv("VANTOR_REFERENCE_FRAME_2X_IN"))
            {
                const CapturedFrame other = CapturedFrame::read(in);
                ASSERT_EQ(other.width, frame.width) << "no reference frame at " << in;
                EXPECT_LT(meanDifference(scaledBack(frame), scaledBack(other)), 2.0);
            }
        }
        instance.dispatch(effEditClose);
    }
}

// The size menu and the host change an open editor's size alike (through the same idle call);
// its window and its context's objects stay. Either way its picture must be the one an opening at
// the new size draws, pixel for pixel, growing and shrinking (across the image sets).
TEST_F(HostScale, AnOpenEditorTakesANewSizeWithThePictureOfAnOpeningAtIt)
{
    for (const auto& [from, to] : {std::pair{1.0f, 2.0f}, std::pair{2.0f, 1.0f}})
    {
        announceScale(instance, to);
        const CapturedFrame opened = openedFrame();
        instance.dispatch(effEditClose);
        announceScale(instance, from);
        openedQuickly();
        const void* editorWindow = window.firstChild();
        announceScale(instance, to);
        const CapturedFrame resized = settledFrame();
        ASSERT_EQ(resized.width, opened.width) << to;
        EXPECT_EQ(window.firstChild(), editorWindow) << "the editor was opened again for " << to;
        EXPECT_EQ(differingPixels(resized, opened), 0) << to;
        instance.dispatch(effEditClose);
    }
}

TEST_F(HostScale, ADragOfSomeDesignPixelsChangesTheValueAlikeAtEverySize)
{
    announceScale(instance, 1.0f);
    openedQuickly();
    const float atOne = sizzleAfterDrag(1.0f, 40);
    instance.dispatch(effEditClose);
    EXPECT_NEAR(atOne, 0.4f, 1e-6f) << "40 pixels at 0.005 a pixel";
    for (const float factor : {1.25f, 2.0f})
    {
        announceScale(instance, factor);
        openedQuickly();
        EXPECT_EQ(sizzleAfterDrag(factor, 40), atOne) << factor;
        instance.dispatch(effEditClose);
    }
}

TEST_F(HostScale, AHostThatRefusesTheNewSizeKeepsTheEditorWholeAtTheOldOne)
{
    announceScale(instance, 1.0f);
    ASSERT_EQ(openedQuickly().width, kWidth);
    HostRecorder::instance().sizeWindowAnswer = 0;
    HostRecorder::instance().clear();
    announceScale(instance, 2.0f);
    idleFor(5);
    EXPECT_FALSE(HostRecorder::instance().callsFor(instance.effect(), audioMasterSizeWindow).empty())
        << "the editor never asked";
    EXPECT_EQ(editorRect(instance), (Size{kWidth, kHeight}));
    idleFor(3);
    EXPECT_EQ(CapturedFrame::read().width, kWidth);
}

TEST_F(HostScale, TheUsersPickIsRememberedAndOverridesTheHostUntilSetBackToAutomatic)
{
    announceScale(instance, 1.0f);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    idleFor(3);
    HostRecorder::instance().clear();
    pickSize(kChoice200, 1.0f);
    std::vector<HostCall> asked = HostRecorder::instance().callsFor(instance.effect(), audioMasterSizeWindow);
    ASSERT_EQ(asked.size(), 1u) << "the editor asks once for the picked size";
    EXPECT_EQ(asked.back().index, 2 * kWidth);
    EXPECT_EQ(editorRect(instance), (Size{2 * kWidth, 2 * kHeight}));
    instance.dispatch(effEditClose);

    // Another instance, whose host wants 150 %, still opens at the user's size.
    EffectInstance another;
    announceScale(another, 1.5f);
    EXPECT_EQ(editorRect(another), (Size{2 * kWidth, 2 * kHeight}));
    ASSERT_EQ(another.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    idled = &another;
    idleFor(3);
    HostRecorder::instance().clear();
    pickSize(kAutomaticChoice, 2.0f);
    asked = HostRecorder::instance().callsFor(another.effect(), audioMasterSizeWindow);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked.back().index, 768) << "automatic follows the host again";
    EXPECT_EQ(editorRect(another), (Size{768, 936}));
    another.dispatch(effEditClose);
    idled = &instance;
    EXPECT_EQ(editorRect(instance), (Size{kWidth, kHeight})) << "and the pick is gone for every instance";
}

#if !defined(_WIN32)
// Desktops set Xft.dpi for high-resolution screens; a host's own factor still wins.
TEST_F(HostScale, TheDesktopsXftDpiSizesTheEditorUnlessTheHostSaysOtherwise)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Atom resources = XInternAtom(display, "RESOURCE_MANAGER", False);
    const char database[] = "Xft.antialias:\t1\nXft.dpi:\t192\n";
    XChangeProperty(display, DefaultRootWindow(display), resources, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(database), static_cast<int>(sizeof(database) - 1));
    XSync(display, False);
    EXPECT_EQ(editorRect(instance), (Size{2 * kWidth, 2 * kHeight}));
    announceScale(instance, 1.5f);
    EXPECT_EQ(editorRect(instance), (Size{768, 936}));
    XDeleteProperty(display, DefaultRootWindow(display), resources);
    XCloseDisplay(display);
}
#endif

}  // namespace
