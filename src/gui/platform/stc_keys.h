#pragma once
// The keys a styled text widget handles by itself. Every shortcut of the
// main window comes from the key table; the widget's own key map (Ctrl+L
// cuts the line, Ctrl+U lower-cases, Ctrl+T swaps lines, ...) would run
// commands no table names, so it is replaced by caret movement and typing.

class wxStyledTextCtrl;

namespace kelmio {

// Arrows, Home/End and Page Up/Down (with Shift: selecting; with Ctrl:
// word-wise, to the text's ends, scrolling a line), Backspace, Delete,
// Return and Tab. Any other key does nothing in the widget, and a control
// character that no key took is never typed into the text.
void UseTypingKeysOnly(wxStyledTextCtrl& widget);

// The translation editor's own editing keys besides: undo (Ctrl+Z,
// Alt+Backspace), redo (Ctrl+Y), the clipboard (Ctrl+X, Ctrl+C, Ctrl+V,
// Ctrl+Insert), select all (Ctrl+A) and deleting a word (Ctrl+Backspace,
// Ctrl+Delete). The key dispatch lets them reach the editor only when the
// key table leaves them to it.
void AddEditorEditingKeys(wxStyledTextCtrl& widget);

}  // namespace kelmio
