#include "shell/VstEditorAdapter.h"

bool VstEditorAdapter::getRect(ERect** rect)
{
    view = core.editor();
    if (view == nullptr)
        return false;
    const EditorView::Size size = view->size();
    rectangle = ERect{0, 0, static_cast<VstInt16>(size.height), static_cast<VstInt16>(size.width)};
    *rect = &rectangle;
    return true;
}

bool VstEditorAdapter::open(void* parentWindow)
{
    view = core.editor();
    return view != nullptr && view->open(parentWindow);
}

void VstEditorAdapter::close()
{
    if (view != nullptr)
        view->close();
}

void VstEditorAdapter::idle()
{
    if (view != nullptr)
        view->idle();
}
