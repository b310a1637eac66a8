#pragma once
// When the editor view's commands are enabled. The editor component reports
// a state per operation (bits 0 and 1 set: enabled); the view adds its own
// rules on top, such as undo only while the text is modified. Which
// operation a command stands for is part of the command's record.

#include <optional>

#include "commands/command_target.h"
#include "commands/editor_operation.h"

namespace kelmio {

// What the rules need to know of the editor component.
class CEditorCommandSource {
public:
    virtual ~CEditorCommandSource() = default;
    // The component's state bits for one of its operations.
    virtual int GetCommandState(EditorOperation operation) const = 0;
    virtual bool GetModified() const = 0;
};

constexpr int kCommandStateEnabled = 0x3;
constexpr int kCommandStateChecked = 0x7;

// The editor operation that carries out command `id`, or nullopt when the
// command is not the editor's.
std::optional<EditorOperation> EditorOperationOf(CommandId id);

// The state of a view command, or nullopt when the editor view does not
// handle it.
std::optional<CommandState> EditViewCommandState(CommandId id, const CEditorCommandSource& editor);

// The translation view's own editing commands (go to start or end, find
// previous, clear the search highlight): the operation that carries each
// out, or nullopt for any other command.
std::optional<EditorOperation> TranslationViewComponentCommand(CommandId id);

// Their state: moving is always possible; find previous and clearing the
// highlight follow the component's state, ticked when it says so.
std::optional<CommandState> TranslationViewCommandState(CommandId id, const CEditorCommandSource& editor);

}  // namespace kelmio
