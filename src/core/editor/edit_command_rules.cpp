#include "editor/edit_command_rules.h"

#include "commands/command_ids.h"

namespace kelmio {
namespace {

bool Enabled(const CEditorCommandSource& editor, int nCommand) {
    return (editor.GetCommandState(nCommand) & kCommandStateEnabled) == kCommandStateEnabled;
}

}  // namespace

std::optional<CommandState> EditViewCommandState(int nID, const CEditorCommandSource& editor) {
    switch (nID) {
        case ID_EDIT_UNDO:
            // After a save or load nothing should be undone into the saved text.
            return CommandState{Enabled(editor, ID_EDIT_UNDO) && editor.GetModified()};
        case ID_EDIT_REDO:
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_PASTE:
        case ID_EDIT_REPEAT:
            return CommandState{Enabled(editor, nID)};
        case ID_EDIT_CLEAR:
            return CommandState{Enabled(editor, ID_EDIT_COPY)};
        case ID_EDIT_FIND:
        case ID_EDIT_REPLACE:
        case ID_EDIT_SELECT_ALL:
            return CommandState{true};
        default:
            return std::nullopt;
    }
}

}  // namespace kelmio
