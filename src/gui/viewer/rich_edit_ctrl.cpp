#include "gui/viewer/rich_edit_ctrl.h"

#include <wx/richtext/richtextctrl.h>

#include <cmath>

#include "viewer/text_search.h"

namespace kelmio {
namespace {

// A line break inside a paragraph is U+2028 in the model and the control's
// own line-break character in the control, which lays it out as a new line
// (U+2028 itself is drawn on a new line but laid out as none, so the next
// paragraph was drawn over it).
const wxString& ModelLineBreak() {
    static const wxString text = wxString::FromUTF8(kRtfLineBreak.data(), kRtfLineBreak.size());
    return text;
}

wxString FromUtf8(std::string_view utf8) {
    wxString text = wxString::FromUTF8(utf8.data(), utf8.size());
    text.Replace(ModelLineBreak(), wxString(wxRichTextLineBreakChar));
    return text;
}

// The control's text in the model's form.
wxString ModelText(wxString shown) {
    shown.Replace(wxString(wxRichTextLineBreakChar), ModelLineBreak());
    return shown;
}

}  // namespace

wxTextAttr StyleOf(const CRtfShownFormat& format) {
    wxTextAttr style;
    if (!format.m_strFace.empty()) style.SetFontFaceName(wxString::FromUTF8(format.m_strFace));
    style.SetFontPointSize(std::max(1, format.m_nHalfPoints / 2));
    style.SetFontWeight(format.m_bBold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    style.SetFontStyle(format.m_bItalic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
    style.SetFontUnderlined(format.m_bUnderline);
    style.SetTextEffects(format.m_bStrikeOut ? wxTEXT_ATTR_EFFECT_STRIKETHROUGH : 0);
    style.SetTextEffectFlags(wxTEXT_ATTR_EFFECT_STRIKETHROUGH);
    const CRtfColor color = format.m_color.value_or(CRtfColor{});
    style.SetTextColour(wxColour(static_cast<unsigned char>(color.m_nRed), static_cast<unsigned char>(color.m_nGreen),
                                 static_cast<unsigned char>(color.m_nBlue)));
    return style;
}

CRichEditCtrl::CRichEditCtrl(wxWindow* parent, int id)
    : m_pControl(new wxRichTextCtrl(parent, id, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxRE_MULTILINE | wxVSCROLL | wxBORDER_NONE)) {}

wxWindow* CRichEditCtrl::Window() { return m_pControl; }

void CRichEditCtrl::LoadDocument(CRtfDocument document) {
    m_document = std::move(document);
    m_pControl->Freeze();
    m_pControl->BeginSuppressUndo();
    m_pControl->Clear();
    bool first = true;
    for (const CRtfParagraph& paragraph : m_document.m_paragraphs) {
        if (!first) m_pControl->Newline();
        first = false;
        for (const CRtfRun& run : paragraph.m_runs) {
            if (run.m_strText.empty()) continue;
            m_pControl->BeginStyle(StyleOf(m_document.Shown(run.m_format)));
            m_pControl->WriteText(FromUtf8(run.m_strText));
            m_pControl->EndStyle();
        }
    }
    m_pControl->EndSuppressUndo();
    m_pControl->Thaw();
    m_pControl->SetInsertionPoint(0);
    m_pControl->DiscardEdits();
    m_bForcedModified = false;
}

// The model takes over the control's text: what lies between the common
// start and the common end is replaced.
void CRichEditCtrl::Sync() const {
    const wxString shown = ModelText(m_pControl->GetValue());
    const wxString held = wxString::FromUTF8(m_document.PlainText());
    if (shown == held) return;
    const std::wstring a = shown.ToStdWstring();
    const std::wstring b = held.ToStdWstring();
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix && a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
        ++suffix;
    }
    m_document.DeleteText(prefix, b.size() - suffix);
    m_document.InsertText(prefix, wxString(a.substr(prefix, a.size() - suffix - prefix)).utf8_string());
}

const CRtfDocument& CRichEditCtrl::Document() {
    Sync();
    return m_document;
}

void CRichEditCtrl::BeginLoad() {
    m_pControl->SetEditable(true);
    m_pControl->BeginSuppressUndo();
    m_pControl->Clear();
    m_document = CRtfDocument{};
}

void CRichEditCtrl::AppendLoaded(std::string_view utf8) { m_pControl->WriteText(FromUtf8(utf8)); }

void CRichEditCtrl::EndLoad() {
    m_pControl->EndSuppressUndo();
    m_pControl->DiscardEdits();
    m_bForcedModified = false;
    Sync();
}

std::string CRichEditCtrl::TextUtf8() const { return ModelText(m_pControl->GetValue()).utf8_string(); }

void CRichEditCtrl::SetReadOnly(bool readOnly) { m_pControl->SetEditable(!readOnly); }

bool CRichEditCtrl::IsModified() const { return m_bForcedModified || m_pControl->IsModified(); }

void CRichEditCtrl::SetModified(bool modified) {
    m_bForcedModified = modified;
    if (!modified) m_pControl->DiscardEdits();
}

// Text with a format of its own keeps it; the rest takes the new font.
void CRichEditCtrl::SetDefaultFont(const wxFont& font) {
    wxRichTextAttr style;
    style.SetFont(font);
    style.SetTextColour(*wxBLACK);
    m_pControl->SetBasicStyle(style);
    m_pControl->SetDefaultStyle(style);
    m_pControl->Refresh();
}

int CRichEditCtrl::FirstVisibleLine() const {
    long x = 0;
    long y = 0;
    m_pControl->PositionToXY(m_pControl->GetFirstVisiblePosition(), &x, &y);
    return static_cast<int>(y);
}

void CRichEditCtrl::ScrollToLine(int line) {
    const long pos = m_pControl->XYToPosition(0, line);
    if (pos < 0) return;
    m_pControl->LayoutContent();
    wxRichTextLine* shown = m_pControl->GetFocusObject()->GetLineAtPosition(pos);
    if (shown == nullptr) return;
    int unitX = 1;
    int unitY = 1;
    m_pControl->GetScrollPixelsPerUnit(&unitX, &unitY);
    m_pControl->Scroll(-1, shown->GetAbsolutePosition().y / std::max(1, unitY));
}

void CRichEditCtrl::ScrollLines(int lines) {
    int unitX = 1;
    int unitY = 1;
    m_pControl->GetScrollPixelsPerUnit(&unitX, &unitY);
    int x = 0;
    int y = 0;
    m_pControl->GetViewStart(&x, &y);
    const int lineHeight = m_pControl->GetCharHeight();
    m_pControl->Scroll(x, std::max(0, y + lines * lineHeight / std::max(1, unitY)));
}

void CRichEditCtrl::ScrollPages(int pages) {
    if (pages > 0) m_pControl->PageDown(pages);
    else if (pages < 0) m_pControl->PageUp(-pages);
}

bool CRichEditCtrl::CanUndo() const { return m_pControl->CanUndo(); }
void CRichEditCtrl::Undo() { m_pControl->Undo(); }
void CRichEditCtrl::Cut() { m_pControl->Cut(); }
void CRichEditCtrl::Copy() { m_pControl->Copy(); }
void CRichEditCtrl::Paste() { m_pControl->Paste(); }
void CRichEditCtrl::SelectAll() { m_pControl->SelectAll(); }

void CRichEditCtrl::ReplaceSelection(std::string_view utf8) {
    long from = 0;
    long to = 0;
    m_pControl->GetSelection(&from, &to);
    if (from < 0) from = to = m_pControl->GetInsertionPoint();
    m_pControl->Replace(from, to, FromUtf8(utf8));
}

std::string_view CRichEditCtrl::SearchText() {
    m_strSearchText = TextUtf8();
    return m_strSearchText;
}

std::size_t CRichEditCtrl::SelectionEnd() const {
    long from = 0;
    long to = 0;
    m_pControl->GetSelection(&from, &to);
    if (from < 0 || to < 0) to = m_pControl->GetInsertionPoint();
    return Utf8ByteOffset(TextUtf8(), static_cast<std::size_t>(to));
}

void CRichEditCtrl::SelectAndShow(std::size_t start, std::size_t end) {
    const std::string text = TextUtf8();
    const auto from = static_cast<long>(Utf8CharIndex(text, start));
    const auto to = static_cast<long>(Utf8CharIndex(text, end));
    m_pControl->SetSelection(from, to);
    m_pControl->ShowPosition(to);
}

void CRichEditCtrl::ReplaceRange(std::size_t start, std::size_t end, std::string_view utf8) {
    // Offsets of the text as it was searched; replacements come from the
    // back, so the part before them is unchanged.
    const auto from = static_cast<long>(Utf8CharIndex(m_strSearchText, start));
    const auto to = static_cast<long>(Utf8CharIndex(m_strSearchText, end));
    m_pControl->Replace(from, to, FromUtf8(utf8));
}

void CRichEditCtrl::Freeze(bool frozen) {
    if (frozen) m_pControl->Freeze();
    else m_pControl->Thaw();
}

CRtfShownFormat CRichEditCtrl::SelectionFormat() const {
    Sync();
    long from = 0;
    long to = 0;
    m_pControl->GetSelection(&from, &to);
    if (from < 0) from = m_pControl->GetInsertionPoint();
    return m_document.Shown(m_document.FormatAt(static_cast<std::size_t>(from)));
}

void CRichEditCtrl::ApplyToSelection(const CRtfFormatChange& change, const wxTextAttr& style) {
    Sync();
    long from = 0;
    long to = 0;
    m_pControl->GetSelection(&from, &to);
    if (from < 0 || from >= to) return;
    m_document.ApplyFormat(static_cast<std::size_t>(from), static_cast<std::size_t>(to), change);
    m_pControl->SetStyle(from, to, style);
    m_bForcedModified = true;
}

void CRichEditCtrl::ToggleBold() {
    CRtfFormatChange change;
    change.m_bBold = !SelectionFormat().m_bBold;
    wxTextAttr style;
    style.SetFontWeight(*change.m_bBold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    ApplyToSelection(change, style);
}

void CRichEditCtrl::ToggleItalic() {
    CRtfFormatChange change;
    change.m_bItalic = !SelectionFormat().m_bItalic;
    wxTextAttr style;
    style.SetFontStyle(*change.m_bItalic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
    ApplyToSelection(change, style);
}

void CRichEditCtrl::ToggleUnderline() {
    CRtfFormatChange change;
    change.m_bUnderline = !SelectionFormat().m_bUnderline;
    wxTextAttr style;
    style.SetFontUnderlined(*change.m_bUnderline);
    ApplyToSelection(change, style);
}

void CRichEditCtrl::ToggleStrikeOut() {
    CRtfFormatChange change;
    change.m_bStrikeOut = !SelectionFormat().m_bStrikeOut;
    wxTextAttr style;
    style.SetTextEffects(*change.m_bStrikeOut ? wxTEXT_ATTR_EFFECT_STRIKETHROUGH : 0);
    style.SetTextEffectFlags(wxTEXT_ATTR_EFFECT_STRIKETHROUGH);
    ApplyToSelection(change, style);
}

std::optional<wxFont> CRichEditCtrl::GetSelectionFont() const {
    const CRtfShownFormat format = SelectionFormat();
    wxFontInfo info(std::max(1.0, format.m_nHalfPoints / 2.0));
    if (!format.m_strFace.empty()) info.FaceName(wxString::FromUTF8(format.m_strFace));
    info.Bold(format.m_bBold).Italic(format.m_bItalic).Underlined(format.m_bUnderline).Strikethrough(format.m_bStrikeOut);
    return wxFont(info);
}

void CRichEditCtrl::SetSelectionFont(const wxFont& font) {
    CRtfFormatChange change;
    change.m_strFace = font.GetFaceName().utf8_string();
    change.m_nCharset = 128;
    change.m_nHalfPoints = static_cast<int>(std::lround(font.GetFractionalPointSize() * 2));
    change.m_bBold = font.GetWeight() > wxFONTWEIGHT_MEDIUM;
    change.m_bItalic = font.GetStyle() == wxFONTSTYLE_ITALIC;
    change.m_bUnderline = font.GetUnderlined();
    change.m_bStrikeOut = font.GetStrikethrough();
    wxTextAttr style;
    style.SetFont(font);
    style.SetTextEffects(font.GetStrikethrough() ? wxTEXT_ATTR_EFFECT_STRIKETHROUGH : 0);
    style.SetTextEffectFlags(wxTEXT_ATTR_EFFECT_STRIKETHROUGH);
    ApplyToSelection(change, style);
}

std::optional<wxColour> CRichEditCtrl::GetSelectionColor() const {
    const CRtfColor color = SelectionFormat().m_color.value_or(CRtfColor{});
    return wxColour(static_cast<unsigned char>(color.m_nRed), static_cast<unsigned char>(color.m_nGreen),
                    static_cast<unsigned char>(color.m_nBlue));
}

void CRichEditCtrl::SetSelectionColor(const wxColour& colour) {
    CRtfFormatChange change;
    change.m_color = CRtfColor{colour.Red(), colour.Green(), colour.Blue()};
    wxTextAttr style;
    style.SetTextColour(colour);
    ApplyToSelection(change, style);
}

}  // namespace kelmio
