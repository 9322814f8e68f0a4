#pragma once

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

// What an LV2 host offers the UI at instantiation, found among its features.
struct Lv2UiHostFeatures
{
    // ui:parent: the host's X11 window to open in.
    void* parent = nullptr;
    // ui:resize: how the UI asks the host for a new size.
    const LV2UI_Resize* resize = nullptr;
    // ui:touch: gestures around edits.
    const LV2UI_Touch* touch = nullptr;
    // instance-access: the DSP instance's handle, as the host gives it (Lv2InstanceFeed
    // decides whether it is one this UI can read).
    const void* instance = nullptr;
    // The options' ui:scaleFactor, 0 when the host gives none.
    float scaleFactor = 0.0f;

    static Lv2UiHostFeatures read(const LV2_Feature* const* features);
};
