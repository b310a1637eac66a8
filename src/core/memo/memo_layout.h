#pragma once
// Where the memo pane's controls go, and which control an edit command
// acts on.

#include "commands/command_ids.h"

namespace kelmio {

struct PaneRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PaneRect&) const = default;
};

// The "辞書" button top right at its own size, the lookup box left of it,
// the memo list below them across the pane (its height is the extent of its
// open list). The memo edit fills the rest below the list's actual height:
// see MemoEditRect.
struct MemoPaneLayout {
    PaneRect button;
    PaneRect lookupBox;
    PaneRect memoList;
};

MemoPaneLayout LayOutMemoPane(int width, int height, int buttonWidth, int buttonHeight);
PaneRect MemoEditRect(int width, int height, int buttonHeight, int listHeight);

// The edit commands of the pane: undo, cut, copy, paste, select all, caret
// to the start, caret to the end.
bool IsMemoEditCommand(CommandId id);

enum class MemoEditTarget { kLookupBox, kMemoEdit };

// They act on the lookup box while it has the keyboard focus, otherwise on
// the memo edit.
inline MemoEditTarget EditCommandTarget(bool lookupBoxHasFocus) {
    return lookupBoxHasFocus ? MemoEditTarget::kLookupBox : MemoEditTarget::kMemoEdit;
}

}  // namespace kelmio
