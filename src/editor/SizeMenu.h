#pragma once

#include "controls/MenuContent.h"

class EditorScale;

// The V emblem's menu: the editor's size, automatic first, then each offered size, the
// user's pick shown as chosen. A pick is remembered outside the host's projects; the editor
// takes the new size between events, once the host agrees. GUI thread only.
class SizeMenu final : public MenuContent
{
public:
    explicit SizeMenu(EditorScale& scale) : editorScale(scale) {}

    std::vector<MenuRow> rows() override;
    bool pick(std::size_t row) override;
    void closed() override {}

private:
    EditorScale& editorScale;
};
