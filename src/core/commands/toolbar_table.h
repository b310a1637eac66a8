#pragma once
// The buttons of the main toolbar, left to right; nullopt stands for a separator.

#include <array>
#include <optional>

#include "commands/command_ids.h"

namespace kelmio {

constexpr std::optional<CommandId> kSeparator;

constexpr std::array<std::optional<CommandId>, 24> kToolbarButtons = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, kSeparator,
    ID_FILE_SRC, ID_FILE_SCAN, kSeparator,
    ID_EDIT_UNDO, ID_EDIT_REDO, kSeparator,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, kSeparator,
    ID_DIC_LOOKUP, ID_DIC_LOOKUP_CLIPBOARD, kSeparator,
    ID_MEMO_ADD, kSeparator,
    ID_EDIT_FIND, ID_EDIT_REPEAT, ID_EDIT_FIND_PREV, kSeparator,
    ID_HELP_FINDER,
};

}  // namespace kelmio
