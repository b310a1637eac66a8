#include "gui/editor/sjis_marks.h"

#include <wx/stc/stc.h>

#include "gui/platform/widget_pieces.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// The text is counted where it lies, a piece at a time.
constexpr std::size_t kCountPiece = std::size_t{1} << 20;

std::string RawText(wxStyledTextCtrl& edit, int start, int end) {
    const wxCharBuffer utf8 = edit.GetTextRangeRaw(start, end);
    return std::string(utf8.data(), utf8.length());
}

}  // namespace

CSjisMarks::CSjisMarks(wxStyledTextCtrl& edit) : m_edit(edit) {
    m_edit.IndicatorSetStyle(kIndicator, wxSTC_INDIC_SQUIGGLE);
    m_edit.IndicatorSetForeground(kIndicator, wxColour(220, 0, 0));
    m_edit.Bind(wxEVT_STC_MODIFIED, &CSjisMarks::OnModified, this);
}

std::size_t CSjisMarks::Count() const {
    std::size_t count = 0;
    ForEachWidgetPiece(m_edit, kCountPiece, [&count](std::string_view utf8) {
        count += CountCharsWithoutCp932Form(utf8);
        return true;
    });
    return count;
}

void CSjisMarks::OnModified(wxStyledTextEvent& event) {
    event.Skip();
    if ((event.GetModificationType() & wxSTC_MOD_INSERTTEXT) == 0) return;
    const int start = event.GetPosition();
    const std::vector<Utf8Span> found = FindCharsWithoutCp932Form(RawText(m_edit, start, start + event.GetLength()));
    if (found.empty()) return;
    // Indicators are no change of the text; the widget takes them here.
    m_edit.SetIndicatorCurrent(kIndicator);
    for (const Utf8Span& span : found) {
        m_edit.IndicatorFillRange(start + static_cast<int>(span.offset), static_cast<int>(span.length));
    }
    if ((event.GetModificationType() & wxSTC_PERFORMED_USER) != 0 && m_onNote) {
        static const std::string note =
            SjisText("Shift-JIS で表せない文字です。保存すると「?」に置き換えられます。");
        m_onNote(note);
    }
}

}  // namespace kelmio
