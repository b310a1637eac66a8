#pragma once
// The buttons of the main toolbar, left to right; 0 stands for a separator.

#include <array>

#include "commands/command_ids.h"

namespace kelmio {

constexpr std::array<int, 24> kToolbarButtons = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0,
    ID_FILE_SRC, ID_FILE_SCAN, 0,
    ID_EDIT_UNDO, ID_EDIT_REDO, 0,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
    ID_DIC_LOOKUP, ID_DIC_LOOKUP_CLIPBOARD, 0,
    ID_MEMO_ADD, 0,
    ID_EDIT_FIND, ID_EDIT_REPEAT, ID_EDIT_FIND_PREV, 0,
    ID_HELP_FINDER,
};

}  // namespace kelmio
