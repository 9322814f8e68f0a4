#include "vst3shell/Vst3ViewFactory.h"

// No view yet: hosts offer their own generic editor for the parameters meanwhile.
vst3::IPlugView* createEditorView(Vst3Effect&)
{
    return nullptr;
}
