#pragma once
// What the translation editor's control can be asked to do. Menu commands
// reach the control through their record's operation (command_registry.h);
// the control's own numbering stays inside the control, apart from command IDs.

namespace kelmio {

enum class EditorOperation {
    kUndo,
    kRedo,
    kCut,
    kCopy,
    kPaste,
    kSelectAll,
    kGoToStart,
    kGoToEnd,
    kSelectToEnd,
    kFind,
    kReplace,
    kFindNext,
    kFindPrevious,
    kClearHighlight,
};

}  // namespace kelmio
