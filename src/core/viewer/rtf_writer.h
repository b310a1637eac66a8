#pragma once
// Writes the rich-text model as RTF that word processors and the reader
// here take back: \rtf1\ansi\ansicpgN (932 for new documents), the font
// table with each face's character set, the colour table, the kept header
// groups, then one \pard...\par per paragraph.
//
// Text goes out as ASCII where it can; other characters as Shift-JIS
// \'xx bytes in runs whose font is a Shift-JIS one (or has no character
// set and the document's code page is 932), else as \uN with "?" as the
// fallback for readers without Unicode. Kept RTF is written as it was read.
// Reading the output gives the same model, so a second save writes the
// same bytes.

#include <string>

#include "viewer/rtf_document.h"

namespace kelmio {

std::string WriteRtf(const CRtfDocument& document);

}  // namespace kelmio
