#pragma once
// What the reader makes of a control word it meets: which words format
// characters or paragraphs in ways the model keeps only as RTF, and which
// open a destination (a group whose text is not document text).

#include <optional>
#include <string_view>

namespace kelmio {

enum class ERtfWordKind {
    Other,            // anything else: kept where it stands
    CharExtra,        // character formatting the model keeps as words (\super, \lang)
    Paragraph,        // paragraph formatting, reset by \pard
    HeaderGroup,      // a document-level destination (\stylesheet, \info...)
    HiddenGroup,      // a destination in the text that shows nothing (\bkmkstart)
    VisibleGroup,     // a destination in the text that shows something (\pict, \field)
};

ERtfWordKind ClassifyRtfWord(std::string_view name);

// The character a symbol word stands for (\emdash, \ldblquote...).
std::optional<char32_t> RtfSymbolWordChar(std::string_view name);

// Groups inside a font table entry (\panose, \falt...), kept as RTF.
bool IsRtfFontSubGroup(std::string_view name);

// The word that ends a paragraph: \par, and in tables \cell, \row and
// their nested forms.
bool IsRtfParagraphEnd(std::string_view name);

}  // namespace kelmio
