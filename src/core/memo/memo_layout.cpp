#include "memo/memo_layout.h"

#include <algorithm>

#include "commands/command_ids.h"

namespace kelmio {

MemoPaneLayout LayOutMemoPane(int width, int height, int buttonWidth, int buttonHeight) {
    MemoPaneLayout layout;
    layout.button = {width - buttonWidth, 0, buttonWidth, buttonHeight};
    layout.lookupBox = {0, 0, std::max(0, width - buttonWidth), buttonHeight};
    layout.memoList = {0, buttonHeight, width, std::max(0, height - buttonHeight)};
    return layout;
}

PaneRect MemoEditRect(int width, int height, int buttonHeight, int listHeight) {
    const int top = buttonHeight + listHeight;
    return {0, top, width, std::max(0, height - top)};
}

bool IsMemoEditCommand(CommandId id) {
    switch (id) {
    case ID_EDIT_UNDO:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL:
    case ID_EDIT_GOTO_TOP:
    case ID_EDIT_GOTO_END:
        return true;
    default:
        return false;
    }
}

}  // namespace kelmio
