#pragma once
// One table of scrolling steps serves the scroll commands, the arrow and
// page keys and the wheel, in each display mode of the source pane.

#include <optional>
#include <string_view>

#include "commands/command_ids.h"
#include "viewer/view_mode.h"

namespace kelmio {

enum class ScrollOp { kUp, kDown, kLeft, kRight, kPageUp, kPageDown };

// The scroll operation of a command (32784-32789, 3844, 3845).
std::optional<ScrollOp> ScrollOpForCommand(CommandId id);
// The operation of a key (Windows virtual-key code) typed anywhere in the
// pane: the page and arrow keys; other keys pass on.
std::optional<ScrollOp> ScrollOpForKey(unsigned int virtualKey);
// A wheel turn away from the user scrolls up; zero or towards, down.
ScrollOp ScrollOpForWheel(int delta);

// What the text pane does: whole lines (Up, Down), a page key (Page Up,
// Page Down) or nothing (Left, Right, since lines wrap at the edge).
struct TextScrollStep {
    int nLines = 0;
    int nPages = 0;
};
TextScrollStep TextStep(ScrollOp op);

// The browser's named scroll component ("scrollbarUp", ...).
std::string_view BrowserScrollName(ScrollOp op);

}  // namespace kelmio
