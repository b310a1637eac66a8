#include "editor/edit_command_rules.h"

#include "commands/command_ids.h"
#include "commands/command_registry.h"

namespace kelmio {
namespace {

bool Enabled(const CEditorCommandSource& editor, EditorOperation operation) {
    return (editor.GetCommandState(operation) & kCommandStateEnabled) == kCommandStateEnabled;
}

}  // namespace

std::optional<EditorOperation> EditorOperationOf(CommandId id) {
    const CommandRecord* record = FindCommandRecord(id);
    return record != nullptr ? record->editorOperation : std::nullopt;
}

std::optional<CommandState> EditViewCommandState(CommandId id, const CEditorCommandSource& editor) {
    switch (id) {
        case ID_EDIT_UNDO:
            // After a save or load nothing should be undone into the saved text.
            return CommandState{Enabled(editor, EditorOperation::kUndo) && editor.GetModified()};
        case ID_EDIT_REDO:
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_PASTE:
        case ID_EDIT_REPEAT:
            return CommandState{Enabled(editor, *EditorOperationOf(id))};
        case ID_EDIT_CLEAR:
            return CommandState{Enabled(editor, EditorOperation::kCopy)};
        case ID_EDIT_FIND:
        case ID_EDIT_REPLACE:
        case ID_EDIT_SELECT_ALL:
            return CommandState{true};
        default:
            return std::nullopt;
    }
}

std::optional<EditorOperation> TranslationViewComponentCommand(CommandId id) {
    switch (id) {
        case ID_EDIT_GOTO_TOP:
        case ID_EDIT_GOTO_END:
        case ID_EDIT_FIND_PREV:
        case ID_EDIT_CLEAR_HIGHLIGHT:
            return EditorOperationOf(id);
        default:
            return std::nullopt;
    }
}

std::optional<CommandState> TranslationViewCommandState(CommandId id, const CEditorCommandSource& editor) {
    const std::optional<EditorOperation> operation = TranslationViewComponentCommand(id);
    if (!operation) return std::nullopt;
    if (id == ID_EDIT_GOTO_TOP || id == ID_EDIT_GOTO_END) return CommandState{};
    const int state = editor.GetCommandState(*operation);
    return CommandState{(state & kCommandStateEnabled) == kCommandStateEnabled,
                        (state & kCommandStateChecked) == kCommandStateChecked};
}

}  // namespace kelmio
