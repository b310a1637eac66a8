#include "gui/editor/edit_x_ctrl.h"

#include <wx/stc/stc.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string_view>

#include "editor/sjis_file_feed.h"
#include "gui/editor/editor_find.h"
#include "gui/editor/screen_wrap.h"
#include "gui/editor/sjis_marks.h"
#include "gui/editor/undo_units.h"
#include "gui/platform/caret_blink.h"
#include "gui/platform/clipboard_watch.h"
#include "gui/platform/gtk_style.h"
#include "gui/platform/stc_keys.h"
#include "gui/platform/widget_pieces.h"
#include "gui/platform/wx_text.h"
#include "platform/file_io.h"
#include "platform/memory_release.h"

namespace kelmio {
namespace {

// Wrapping "by word" breaks where the screen-wrap styling allows: at word
// boundaries in Latin text, between characters (with kinsoku) in Japanese.
constexpr int kWrapMode = wxSTC_WRAP_WORD;
constexpr int kLineNumberMargin = 0;
constexpr int kPositionCacheSize = 1 << 14;
// Space before the numbers and between the margin and the text.
constexpr int kMarginPadding = 4;
constexpr int kTextGap = 6;

int DigitsOf(int number) {
    int digits = 1;
    for (; number >= 10; number /= 10) ++digits;
    return digits;
}

// Texts go to and from the widget in pieces of this size, so a large text
// is never held whole in a second form (UTF-8 beside Shift-JIS, or the
// widget's bytes copied).
constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// The widget's own bytes, without a copy; valid until the text changes.
std::string_view WidgetBytes(const wxStyledTextCtrl& edit) {
    const char* text = edit.GetCharacterPointer();
    return text == nullptr ? std::string_view() : std::string_view(text, static_cast<std::size_t>(edit.GetLength()));
}

}  // namespace

// The widget's lines as the offset map reads them.
class CEditXCtrl::CWidgetLines final : public CUtf8Lines {
public:
    explicit CWidgetLines(wxStyledTextCtrl& edit) : m_edit(edit) {}

    std::size_t LineCount() const override { return static_cast<std::size_t>(std::max(m_edit.GetLineCount(), 1)); }
    std::size_t LineStart(std::size_t line) const override {
        return static_cast<std::size_t>(std::max(m_edit.PositionFromLine(static_cast<int>(line)), 0));
    }
    std::size_t LineOfPosition(std::size_t position) const override {
        const int clamped = static_cast<int>(std::min<std::size_t>(position, static_cast<std::size_t>(m_edit.GetLength())));
        return static_cast<std::size_t>(std::max(m_edit.LineFromPosition(clamped), 0));
    }
    std::string LineText(std::size_t line) const override {
        const wxCharBuffer utf8 = m_edit.GetLineRaw(static_cast<int>(line));
        return std::string(utf8.data(), utf8.length());
    }
    std::string Text(std::size_t start, std::size_t end) const override {
        const wxCharBuffer utf8 = m_edit.GetTextRangeRaw(static_cast<int>(start), static_cast<int>(end));
        return std::string(utf8.data(), utf8.length());
    }

private:
    wxStyledTextCtrl& m_edit;
};

CEditXCtrl::CEditXCtrl(wxWindow* parent)
    : m_pEdit(new wxStyledTextCtrl(parent, kControlId, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)),
      m_pLines(std::make_unique<CWidgetLines>(*m_pEdit)),
      m_pOffsets(std::make_unique<CSjisOffsetMap>(*m_pLines)),
      m_pClipboard(std::make_unique<CClipboardWatch>()) {
    m_pEdit->SetCodePage(wxSTC_CP_UTF8);
    m_pEdit->SetEOLMode(wxSTC_EOL_CRLF);
    m_pEdit->SetMarginWidth(1, 0);
    m_pEdit->UsePopUp(wxSTC_POPUP_NEVER);  // the view shows Kelmio's own menu
    UseTypingKeysOnly(*m_pEdit);
    AddEditorEditingKeys(*m_pEdit);
    // Screen wrapping makes nearly every Japanese character a run of its
    // own; measured runs are kept for the thousands of characters a text
    // uses, and the shown lines' layouts for the next paint, so typing
    // lays out one line rather than the page.
    m_pEdit->SetPositionCacheSize(kPositionCacheSize);
    m_pEdit->SetLayoutCache(wxSTC_CACHE_PAGE);
    ApplySettings(CEditorSettings());
    m_pEdit->Bind(wxEVT_STC_CHANGE, [this](wxStyledTextEvent& event) {
        event.Skip();
        if (m_bReplacing) return;
        m_bModified = true;
        if (m_onTextChanged) m_onTextChanged();
    });
    // Every change, the program's own included, moves the Shift-JIS
    // offsets of the lines after it.
    m_pEdit->Bind(wxEVT_STC_MODIFIED, [this](wxStyledTextEvent& event) {
        event.Skip();
        const int type = event.GetModificationType();
        if ((type & (wxSTC_MOD_INSERTTEXT | wxSTC_MOD_DELETETEXT)) == 0) return;
        if (event.GetLinesAdded() != 0) FitLineNumberMargin();
        m_pOffsets->InvalidateFrom(static_cast<std::size_t>(std::max(m_pEdit->LineFromPosition(event.GetPosition()), 0)));
        // The widget scrolls after typing but not after a paste, and an
        // undo or redo can leave the caret below the lines a long text
        // takes once wrapped.
        if (!m_bReplacing && (type & (wxSTC_PERFORMED_USER | wxSTC_PERFORMED_UNDO | wxSTC_PERFORMED_REDO)) != 0) {
            ShowCaretSoon();
        }
    });
    m_pEdit->Bind(wxEVT_MOUSEWHEEL, &CEditXCtrl::OnWheel, this);
    m_pFind = std::make_unique<CEditorFind>(*m_pEdit);
    m_pUndo = std::make_unique<CUndoUnits>(*m_pEdit);
    m_pMarks = std::make_unique<CSjisMarks>(*m_pEdit);
    m_pWrap = std::make_unique<CScreenWrap>(*m_pEdit);
    m_pBlink = std::make_unique<CCaretBlink>(*m_pEdit);
}

CEditXCtrl::~CEditXCtrl() = default;

std::string CEditXCtrl::GetText() const { return Utf8ToCp932(WidgetBytes(*m_pEdit)); }

void CEditXCtrl::SetText(const std::string& sjis) {
    BeginText(Cp932ToUtf8SizeEstimate(sjis));
    Cp932ToUtf8Pieces(sjis, kPieceSize, [this](std::string_view utf8) { AppendText(utf8); });
    EndText();
}

void CEditXCtrl::BeginText(std::size_t utf8Size) {
    m_bReplacing = true;
    // Nothing of the old text or the load is kept for undo, and the
    // widget's buffer is reserved once, with room left at the end for the
    // first edits, so they do not move the whole text to a larger buffer.
    // (Reserved room is touched, and costs memory, once the first edit
    // moves the text after it into it: hence no more than that.)
    m_pEdit->SetUndoCollection(false);
    m_pEdit->ClearAll();
    m_pEdit->Allocate(static_cast<int>(std::min<std::size_t>(utf8Size + kPieceSize, INT_MAX / 2)));
}

void CEditXCtrl::AppendText(std::string_view utf8) {
    m_pEdit->AddTextRaw(utf8.data(), static_cast<int>(utf8.size()));
}

void CEditXCtrl::EndText() {
    m_pEdit->SetUndoCollection(true);
    m_pEdit->EmptyUndoBuffer();
    m_pEdit->SetSavePoint();
    m_pEdit->GotoPos(0);
    m_bReplacing = false;
    m_bModified = false;
    // Once whoever loaded the text has put the caret where work goes on,
    // and the pieces of the load are freed.
    m_pEdit->CallAfter([this] {
        MoveGapToCaret();
        ReturnFreedMemory();
    });
}

void CEditXCtrl::ShowCaretSoon() {
    if (m_bCaretShowPending) return;
    m_bCaretShowPending = true;
    m_pEdit->CallAfter([this] {
        m_bCaretShowPending = false;
        // Scrolling to a line first wraps the lines whose wrapping is still
        // pending, which the caret's place on the screen depends on.
        m_pEdit->EnsureVisibleEnforcePolicy(m_pEdit->LineFromPosition(m_pEdit->GetCurrentPos()));
        m_pEdit->EnsureCaretVisible();
    });
}

// The widget keeps its text with a gap where the last change was; after a
// load that is the text's end. The first keystroke elsewhere would move
// every byte after it (text and styles: some 140 MB for a 50 MiB text), a
// visible stall; a change made and undone at the caret moves the gap there
// while the text is still being opened.
void CEditXCtrl::MoveGapToCaret() {
    const int caret = m_pEdit->GetCurrentPos();
    if (std::abs(m_pEdit->GetGapPosition() - caret) < static_cast<int>(kPieceSize)) return;
    const bool widgetModified = m_pEdit->GetModify();
    m_bReplacing = true;
    m_pEdit->SetUndoCollection(false);
    m_pEdit->InsertText(caret, " ");
    m_pEdit->DeleteRange(caret, 1);
    m_pEdit->SetUndoCollection(true);
    if (!widgetModified) m_pEdit->SetSavePoint();
    m_bReplacing = false;
}

std::optional<FileError> CEditXCtrl::LoadFile(const CFilePath& path) {
    // Read, converted and put in a block at a time: the file's bytes are
    // never held whole beside the widget's text.
    const SjisFeedResult read = FeedSjisFileAsUtf8(
        path, kPieceSize,
        {[this](std::size_t utf8Size) { BeginText(utf8Size); }, [this](std::string_view utf8) { AppendText(utf8); }});
    if (!read.error) {
        EndText();
        return std::nullopt;
    }
    // Neither part of a file that failed midway nor the text shown before
    // (another project's) is kept: either would be saved over this file.
    SetText("");
    return read.error->cause == FileErrorCause::kNotFound ? std::nullopt : read.error;
}

EditSaveResult CEditXCtrl::SaveFile(const CFilePath& path) const {
    // What was typed before a save is undone apart from what follows it.
    m_pUndo->Close();
    // Converted piece by piece while it is written, straight from the
    // widget's buffer.
    EditSaveResult result;
    result.error = SaveFileAtomically(path, [this, &result](const ByteSink& sink) {
        ForEachWidgetPiece(*m_pEdit, kPieceSize, [&result, &sink](std::string_view utf8) {
            ConversionResult sjis = Utf8ToCp932Checked(utf8);
            result.unconvertible += sjis.unconvertible;
            return sink(sjis.text);
        });
    });
    return result;
}

// As the widget decides it, without asking the clipboard and waiting.
bool CEditXCtrl::CanPasteNow() const { return !m_pEdit->GetReadOnly() && m_pClipboard->HasText(); }

int CEditXCtrl::GetCommandState(EditorOperation operation) const {
    const bool hasSelection = m_pEdit->GetSelectionStart() != m_pEdit->GetSelectionEnd();
    bool enabled = false;
    switch (operation) {
        case EditorOperation::kUndo: enabled = m_pEdit->CanUndo(); break;
        case EditorOperation::kRedo: enabled = m_pEdit->CanRedo(); break;
        case EditorOperation::kCut: enabled = hasSelection && !m_pEdit->GetReadOnly(); break;
        case EditorOperation::kCopy: enabled = hasSelection; break;
        case EditorOperation::kPaste: enabled = CanPasteNow(); break;
        case EditorOperation::kSelectAll:
        case EditorOperation::kGoToStart:
        case EditorOperation::kGoToEnd:
        case EditorOperation::kSelectToEnd:
        case EditorOperation::kFind:
        case EditorOperation::kReplace: enabled = true; break;
        case EditorOperation::kFindNext:
        case EditorOperation::kFindPrevious: enabled = m_pFind->HasSearch(); break;
        case EditorOperation::kClearHighlight: enabled = m_pFind->IsHighlighted(); break;
    }
    return enabled ? kCommandStateEnabled : 0;
}

void CEditXCtrl::ExecCommand(EditorOperation operation) {
    switch (operation) {
        case EditorOperation::kUndo: m_pEdit->Undo(); break;
        case EditorOperation::kRedo: m_pEdit->Redo(); break;
        case EditorOperation::kCut: m_pEdit->Cut(); break;
        case EditorOperation::kCopy: m_pEdit->Copy(); break;
        case EditorOperation::kPaste: m_pEdit->Paste(); break;
        case EditorOperation::kSelectAll: m_pEdit->SelectAll(); break;
        case EditorOperation::kGoToStart: m_pEdit->DocumentStart(); break;
        case EditorOperation::kGoToEnd: m_pEdit->DocumentEnd(); break;
        case EditorOperation::kSelectToEnd: m_pEdit->DocumentEndExtend(); break;
        case EditorOperation::kFind: m_pFind->ShowFindDialog(); break;
        case EditorOperation::kReplace: m_pFind->ShowReplaceDialog(); break;
        case EditorOperation::kFindNext: m_pFind->FindNext(); break;
        case EditorOperation::kFindPrevious: m_pFind->FindPrevious(); break;
        case EditorOperation::kClearHighlight: m_pFind->ClearHighlight(); break;
    }
}

void CEditXCtrl::SetSelText(const std::string& sjis) {
    const std::string utf8 = Cp932ToUtf8(sjis);
    m_pEdit->ReplaceSelectionRaw(utf8.c_str());
}

std::size_t CEditXCtrl::ToSjisOffset(int editorPosition) const {
    return m_pOffsets->SjisOffset(static_cast<std::size_t>(std::max(editorPosition, 0)));
}

int CEditXCtrl::ToEditorPosition(std::size_t sjisOffset) const {
    return static_cast<int>(m_pOffsets->Utf8Position(sjisOffset));
}

std::size_t CEditXCtrl::SelStart() const { return ToSjisOffset(m_pEdit->GetSelectionStart()); }

std::size_t CEditXCtrl::SelLength() const {
    return ToSjisOffset(m_pEdit->GetSelectionEnd()) - ToSjisOffset(m_pEdit->GetSelectionStart());
}

void CEditXCtrl::PutSelStart(std::size_t offset) { m_pEdit->GotoPos(ToEditorPosition(offset)); }

void CEditXCtrl::PlaceCaret(std::size_t offset) { m_pEdit->SetEmptySelection(ToEditorPosition(offset)); }

void CEditXCtrl::PutSelLength(std::size_t length) {
    const std::size_t start = SelStart();
    m_pEdit->SetSelection(m_pEdit->GetSelectionStart(), ToEditorPosition(start + length));
}

int CEditXCtrl::GetFirstVisible() const {
    return m_pEdit->DocLineFromVisible(m_pEdit->GetFirstVisibleLine());
}

void CEditXCtrl::ScrollTo(int line) {
    m_pEdit->SetFirstVisibleLine(m_pEdit->VisibleFromDocLine(std::max(line, 0)));
}

int CEditXCtrl::GetCaretLine() const { return m_pEdit->LineFromPosition(m_pEdit->GetCurrentPos()); }

wxPoint CEditXCtrl::PointBelowCaret() const {
    const wxPoint caret = m_pEdit->PointFromPosition(m_pEdit->GetCurrentPos());
    return {caret.x, caret.y + m_pEdit->TextHeight(GetCaretLine())};
}

int CEditXCtrl::GetTabSize() const { return m_pEdit->GetTabWidth(); }

int CEditXCtrl::GetFontSize() const { return m_pEdit->StyleGetSize(wxSTC_STYLE_DEFAULT); }

std::string CEditXCtrl::GetFontName() const { return FromWx(m_pEdit->StyleGetFaceName(wxSTC_STYLE_DEFAULT)); }

void CEditXCtrl::SetFont(const std::string& faceName, int pointSize) {
    m_pEdit->StyleSetFaceName(wxSTC_STYLE_DEFAULT, ToWx(faceName));
    m_pEdit->StyleSetSize(wxSTC_STYLE_DEFAULT, std::clamp(pointSize, 4, 96));
    m_pEdit->StyleClearAll();
}

void CEditXCtrl::LoadSettings(const CSettings& settings) {
    CEditorSettings loaded;
    loaded.Load(settings);
    ApplySettings(loaded);
}

void CEditXCtrl::SaveSettings(CSettings& settings) const { GetEditorSettings().Save(settings); }

CEditorSettings CEditXCtrl::GetEditorSettings() const {
    CEditorSettings current = m_editorSettings;
    current.m_strFontName = GetFontName();
    current.m_nFontSize = GetFontSize();
    return current;
}

void CEditXCtrl::ApplySettings(const CEditorSettings& settings) {
    m_editorSettings = settings;
    SetFont(settings.m_strFontName, settings.m_nFontSize);
    m_pEdit->SetTabWidth(settings.m_nTabSize);
    m_pEdit->SetWrapMode(settings.m_bWordWrap ? kWrapMode : wxSTC_WRAP_NONE);
    UseClassicScrollBars(*m_pEdit, settings.m_bWordWrap);
    m_pEdit->SetMarginType(kLineNumberMargin, wxSTC_MARGIN_NUMBER);
    FitLineNumberMargin();
    m_pEdit->SetViewEOL(settings.m_bShowLineEnds);
    m_pEdit->SetViewWhiteSpace(settings.m_bShowTabs ? wxSTC_WS_VISIBLEALWAYS : wxSTC_WS_INVISIBLE);
    // The full-width space looks like an ordinary one; shown, it stands out
    // as a small box with a square in it.
    const wxString wideSpace = wxString::FromUTF8("\xE3\x80\x80");
    if (settings.m_bShowWideSpaces) {
        m_pEdit->SetRepresentation(wideSpace, wxString::FromUTF8("\xE2\x96\xA1"));
    } else {
        m_pEdit->ClearRepresentation(wideSpace);
    }
    m_pEdit->SetCaretLineVisible(settings.m_bHighlightCaretLine);
}

// As wide as the largest line number needs, so a short text keeps its room.
void CEditXCtrl::FitLineNumberMargin() {
    int width = 0;
    if (m_editorSettings.m_bLineNumbers) {
        const wxString widest(wxUniChar('9'), static_cast<size_t>(DigitsOf(m_pEdit->GetLineCount())));
        width = m_pEdit->TextWidth(wxSTC_STYLE_LINENUMBER, widest) + m_pEdit->FromDIP(kMarginPadding);
    }
    // Either setting lays out the whole text again, wrapping included,
    // which takes seconds in a long text: only when it changes.
    if (m_pEdit->GetMarginWidth(kLineNumberMargin) != width) m_pEdit->SetMarginWidth(kLineNumberMargin, width);
    const int gap = m_pEdit->FromDIP(kTextGap);
    if (m_pEdit->GetMarginLeft() != gap) m_pEdit->SetMarginLeft(gap);
}

void CEditXCtrl::OnWheel(wxMouseEvent& event) {
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    // Three lines a notch, and never above the first line.
    const int line = GetFirstVisible();
    if (event.GetWheelRotation() <= 0) {
        ScrollTo(line + kWheelStep);
    } else if (line > 0) {
        ScrollTo(std::max(line - kWheelStep, 0));
    }
}

}  // namespace kelmio
