#include "editor/edit_command_rules.h"

#include "commands/command_ids.h"

namespace kelmio {
namespace {

bool Enabled(const CEditorCommandSource& editor, int nCommand) {
    return (editor.GetCommandState(nCommand) & kCommandStateEnabled) == kCommandStateEnabled;
}

constexpr int kGoToStart = 32798;
constexpr int kGoToEnd = 32799;
constexpr int kFindPrevious = 32823;
constexpr int kClearHighlight = 32824;

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

std::optional<int> TranslationViewComponentCommand(int nID) {
    switch (nID) {
        case ID_EDIT_GOTO_TOP: return kGoToStart;
        case ID_EDIT_GOTO_END: return kGoToEnd;
        case ID_EDIT_FIND_PREV: return kFindPrevious;
        case ID_EDIT_CLEAR_HIGHLIGHT: return kClearHighlight;
        default: return std::nullopt;
    }
}

std::optional<CommandState> TranslationViewCommandState(int nID, const CEditorCommandSource& editor) {
    const std::optional<int> command = TranslationViewComponentCommand(nID);
    if (!command) return std::nullopt;
    if (nID == ID_EDIT_GOTO_TOP || nID == ID_EDIT_GOTO_END) return CommandState{};
    const int state = editor.GetCommandState(*command);
    return CommandState{(state & kCommandStateEnabled) == kCommandStateEnabled,
                        (state & kCommandStateChecked) == kCommandStateChecked};
}

}  // namespace kelmio
