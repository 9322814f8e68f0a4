#pragma once

#include "platform/PreferenceStore.h"

#include <array>

// How large the editor is drawn: one of the sizes it offers (100 % to 300 %), chosen from,
// first that applies, the user's own pick (remembered outside the host's projects), the
// host's factor, the desktop's, and else 100 %. A host's factor is final: it is never
// multiplied by the desktop's. GUI thread only.
class EditorScale
{
public:
    static constexpr std::array<float, 7> kFactors{1.0f, 1.25f, 1.5f, 1.75f, 2.0f, 2.5f, 3.0f};
    // The user's pick meaning "no pick": the host, then the desktop decide.
    static constexpr float kAutomatic = 0.0f;

    // The offered size nearest to a factor; kAutomatic for nothing usable (0, negative, NaN).
    static float nearest(float factor);

    void setHostFactor(float factor) { host = nearest(factor); }
    void setDesktopFactor(float factor) { desktop = nearest(factor); }

    // Reads the user's pick as last remembered: another instance may have changed it.
    void recallUserChoice();
    float userChoice() const { return user; }
    // A new pick, remembered at once; kAutomatic clears it.
    void choose(float factor);

    // The host's factor, else the desktop's, else 100 %.
    float automatic() const;
    // What the editor is drawn at: the user's pick, else automatic.
    float chosen() const;

private:
    platform::PreferenceStore preference{platform::PreferenceStore::kEditorSize};
    float user = kAutomatic;
    float host = kAutomatic;
    float desktop = kAutomatic;
};
