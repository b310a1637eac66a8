#pragma once
// Reading a Scintilla widget's whole text in place. The widget keeps its
// text with a gap where the last edit was; asking for all of it at once
// closes the gap by moving every byte after it, and the next keystroke
// moves them back. Read in pieces that end at the gap, the text stays put.

#include <cstddef>
#include <functional>
#include <string_view>

class wxStyledTextCtrl;

namespace kelmio {

// Hands the widget's UTF-8 bytes to `piece` in order, in pieces of about
// `chunk` bytes cut only before the start of a character. A piece is valid
// until the next one is asked for; the text must not change meanwhile.
// Stops early when `piece` returns false.
void ForEachWidgetPiece(const wxStyledTextCtrl& widget, std::size_t chunk,
                        const std::function<bool(std::string_view utf8)>& piece);

}  // namespace kelmio
