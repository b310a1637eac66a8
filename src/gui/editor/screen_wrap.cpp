#include "gui/editor/screen_wrap.h"

#include <wx/stc/stc.h>

#include <string>
#include <vector>

#include "editor/line_breaking.h"

namespace kelmio {
namespace {

// The code points of a UTF-8 line and the byte each one starts at; a byte
// that is not UTF-8 stands for itself.
struct DecodedLine {
    std::u32string text;
    std::vector<int> starts;
};

DecodedLine Decode(const char* bytes, int length) {
    DecodedLine line;
    int i = 0;
    while (i < length) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (i + size > length) size = 1;
        char32_t ch = size == 1 ? lead : lead & (0x7F >> size);
        for (int k = 1; k < size; ++k) ch = (ch << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        line.text.push_back(ch);
        line.starts.push_back(i);
        i += size;
    }
    line.starts.push_back(length);
    return line;
}

}  // namespace

CScreenWrap::CScreenWrap(wxStyledTextCtrl& edit) : m_edit(edit) {
    m_edit.SetLexer(wxSTC_LEX_CONTAINER);
    m_edit.Bind(wxEVT_STC_STYLENEEDED, &CScreenWrap::OnStyleNeeded, this);
}

void CScreenWrap::OnStyleNeeded(wxStyledTextEvent& event) {
    const int first = m_edit.LineFromPosition(m_edit.GetEndStyled());
    const int last = m_edit.LineFromPosition(event.GetPosition());
    for (int line = first; line <= last; ++line) StyleLine(line);
}

void CScreenWrap::StyleLine(int line) {
    const int start = m_edit.PositionFromLine(line);
    const wxCharBuffer raw = m_edit.GetLineRaw(line);
    const int length = static_cast<int>(raw.length());
    m_edit.StartStyling(start);
    if (length == 0) return;
    const DecodedLine decoded = Decode(raw.data(), length);
    int style = kStyleA;
    int runStart = 0;
    for (const std::size_t at : LineBreakOpportunities(decoded.text)) {
        const int runEnd = decoded.starts[at];
        m_edit.SetStyling(runEnd - runStart, style);
        style = style == kStyleA ? kStyleB : kStyleA;
        runStart = runEnd;
    }
    m_edit.SetStyling(length - runStart, style);
}

}  // namespace kelmio
