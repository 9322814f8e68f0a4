// The editor in the states a user sees most, each drawn as a partial frame and again as a
// whole one, which must agree. Every state's frame is kept in VANTOR_SCENARIO_FRAMES_OUT;
// with VANTOR_SCENARIO_FRAMES_IN naming the frames another build kept, each must equal its
// counterpart pixel for pixel (how a change that must not alter the picture is proved).
#include "HostEditorSession.h"
#include "support/TestSignals.h"

#include <filesystem>

namespace
{

// Inside the window, over no control (below the equaliser).
constexpr HostEditorSession::Point kNowhere{250, 612};

class FrameScenarios : public HostEditorSession
{
public:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEditorSession::SetUp());
        // The version line shows over the first frames only.
        idleFor(kVersionLineIdles);
    }

    enum class Compare
    {
        PartialWithWhole,
        WholeRedrawOnly,
    };

    // The settled partial frame must show what a whole redraw shows; the whole redraw is
    // kept and compared with the other build's.
    void check(const std::string& scenario, Compare compare = Compare::PartialWithWhole)
    {
        const CapturedFrame partial = settledFrame();
        window.exposeChildren();
        const CapturedFrame whole = settledFrame();
        ASSERT_EQ(whole.width, kWidth) << scenario;
        if (compare == Compare::PartialWithWhole)
        {
            EXPECT_EQ(differingPixels(partial, whole), 0) << scenario << ": a partial frame left stale pixels";
        }
        keepFrame(scenario);
        if (const char* folder = std::getenv("VANTOR_SCENARIO_FRAMES_IN"))
        {
            const std::string in = (std::filesystem::path(folder) / (scenario + ".png")).string();
            const CapturedFrame reference = CapturedFrame::read(in);
            ASSERT_EQ(reference.width, kWidth) << "no reference frame " << in;
            EXPECT_EQ(differingPixels(whole, reference), 0) << scenario << " differs from " << in;
        }
    }
};

// One opening walks through every state (opening the editor and waiting out the version
// line once); the host's values go back to the opening ones between states.
TEST_F(FrameScenarios, StatesAUserSeesMost)
{
    const std::vector<unsigned char> opening = instance.chunk(true);
    const auto backToOpening = [&]
    {
        hover(kNowhere);
        ASSERT_EQ(instance.restore(opening, true), 1);
    };
    check("opened");

    const std::pair<const char*, float> settings[] = {{"Sizzle", 0.3f}, {"Shape", 0.65f},        {"Punch", 0.8f},
                                                      {"Gain", 0.35f},  {"Stereo Width", 0.85f}, {"EQ gain", 0.9f}};
    for (const auto& [name, value] : settings)
        instance.setParameter(row(name).parameter, value);
    check("every-control-moved");
    backToOpening();

    hover(centreOf("Sizzle"));
    check("hover-sizzle-info");
    hover(centreOf("Gain"));
    check("hover-gain-info");
    instance.setParameter(row("Shape").parameter, 0.7f);
    hover(centreOf("Shape"));
    check("hover-shape-curve");
    backToOpening();

    click(centreOf("Info switch"));
    hover(centreOf("Stereo Width"));
    check("info-off-hover-width");
    click(centreOf("Info switch"));
    backToOpening();

    const int eqNum = row("equaliser").parameter;
    const float points[][2] = {{0.0f, 0.4f}, {1.0f, 0.6f}, {0.2f, 0.85f}, {0.45f, 0.2f}, {0.7f, 0.7f}};
    for (int k = 0; k < 5; ++k)
    {
        instance.setParameter(eqNum + 1 + 2 * k, points[k][0]);
        instance.setParameter(eqNum + 2 + 2 * k, points[k][1]);
    }
    instance.setParameter(eqNum, 5.0f / 16.0f);
    check("equaliser-points");
    backToOpening();

    // A steady tone and the meters it leaves once the editor has let them fall: no
    // transients, so nothing in the displays moves by itself. A whole redraw reads the
    // meters once more, so only the kept frame is compared.
    instance.resumeAt(44100.0f);
    std::vector<float> left = sine(16 * 2048, 440.0, 44100.0, 0.5f);
    std::vector<float> right = sine(16 * 2048, 660.0, 44100.0, 0.3f);
    instance.process(left, right);
    idleFor(60);
    check("displays-after-audio", Compare::WholeRedrawOnly);
}

// Some hosts call idle far more often than the editor draws frames (a timer and every event
// on the X connection): the version line must still go once its time is up, not stay on
// screen until something else draws over it.
using FastIdlingHost = HostEditorSession;
TEST_F(FastIdlingHost, TheVersionLineGoesWhateverTheIdleRate)
{
    for (int call = 0; call < 2 * kVersionLineIdles; ++call)
    {
        window.pumpMessages();
        instance.dispatch(effEditIdle);
    }
    const CapturedFrame shown = settledFrame();
    window.exposeChildren();
    const CapturedFrame whole = settledFrame();
    EXPECT_EQ(differingPixels(shown, whole), 0) << "the version line is still shown";
}

}  // namespace
