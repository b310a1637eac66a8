#pragma once
// The translation text editor component: a Scintilla editor behind the
// operations Kelmio's editor views call. Texts and paths are Shift-JIS;
// positions are byte offsets of the Shift-JIS text, converted from the
// editor's own positions in ToSjisOffset/ToEditorPosition only, through a
// per-line map that every change of the text invalidates from its line on. Files are
// Shift-JIS with CR LF line ends.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editor/edit_command_rules.h"
#include "editor/editor_settings.h"
#include "editor/sjis_offset_map.h"
#include "platform/file_error.h"
#include "platform/panes.h"
#include "platform/settings.h"

class wxStyledTextCtrl;
class wxWindow;
class wxMouseEvent;
class wxPoint;

namespace kelmio {

class CCaretBlink;
class CClipboardWatch;
class CEditorFind;
class CScreenWrap;
class CSjisMarks;
class CUndoUnits;

class CEditXCtrl final : public CEditorCommandSource {
public:
    static constexpr int kControlId = 1001;
    static constexpr int kWheelStep = 3;

    explicit CEditXCtrl(wxWindow* parent);
    ~CEditXCtrl() override;
    CEditXCtrl(const CEditXCtrl&) = delete;
    CEditXCtrl& operator=(const CEditXCtrl&) = delete;

    wxStyledTextCtrl& Widget() const { return *m_pEdit; }
    CEditorFind& Find() const { return *m_pFind; }
    // The marks on characters that Shift-JIS cannot hold.
    CSjisMarks& SjisMarks() const { return *m_pMarks; }

    std::string GetText() const;
    // Replaces the whole text; the result is unmodified and cannot be undone.
    void SetText(const std::string& sjis);

    bool GetModified() const override { return m_bModified; }
    void PutModified(bool modified) { m_bModified = modified; }

    // A missing file gives an empty text, and so does a read that fails
    // midway (nothing of the file is kept then); other failures leave the
    // text as it was.
    std::optional<FileError> LoadFile(const CFilePath& path);
    EditSaveResult SaveFile(const CFilePath& path) const;

    int GetCommandState(EditorOperation operation) const override;
    void ExecCommand(EditorOperation operation);

    void SetSelText(const std::string& sjis);
    std::size_t SelStart() const;
    std::size_t SelLength() const;
    void PutSelStart(std::size_t offset);
    void PutSelLength(std::size_t length);
    // An empty selection at `offset`, the view left where it is.
    void PlaceCaret(std::size_t offset);

    int GetFirstVisible() const;
    void ScrollTo(int line);
    // The caret's line (0-based).
    int GetCaretLine() const;
    // The point just below the caret, in the widget's client coordinates.
    wxPoint PointBelowCaret() const;

    int GetTabSize() const;
    int GetFontSize() const;
    std::string GetFontName() const;
    void SetFont(const std::string& faceName, int pointSize);

    // The component's own settings (its font) in section "EditX".
    void LoadSettings(const CSettings& settings);
    void SaveSettings(CSettings& settings) const;
    // The settings in force, and showing the text with others.
    CEditorSettings GetEditorSettings() const;
    void ApplySettings(const CEditorSettings& settings);

    // Called after every change of the text made by the user.
    void SetTextChangedHandler(std::function<void()> handler) { m_onTextChanged = std::move(handler); }

private:
    // A new text goes in as UTF-8 pieces between these, about `utf8Size`
    // bytes in all.
    void BeginText(std::size_t utf8Size);
    void AppendText(std::string_view utf8);
    void EndText();
    bool CanPasteNow() const;
    std::size_t ToSjisOffset(int editorPosition) const;
    int ToEditorPosition(std::size_t sjisOffset) const;
    void OnWheel(wxMouseEvent& event);
    void MoveGapToCaret();
    // Once the change being made is done, the caret is scrolled into view.
    void ShowCaretSoon();
    void FitLineNumberMargin();

    class CWidgetLines;

    wxStyledTextCtrl* m_pEdit;  // owned by its parent window
    std::unique_ptr<CWidgetLines> m_pLines;
    std::unique_ptr<CSjisOffsetMap> m_pOffsets;  // a cache, so also updated by const queries
    std::unique_ptr<CEditorFind> m_pFind;
    std::unique_ptr<CUndoUnits> m_pUndo;
    std::unique_ptr<CSjisMarks> m_pMarks;
    std::unique_ptr<CScreenWrap> m_pWrap;
    std::unique_ptr<CClipboardWatch> m_pClipboard;
    std::unique_ptr<CCaretBlink> m_pBlink;
    CEditorSettings m_editorSettings;
    bool m_bModified = false;
    bool m_bReplacing = false;  // set while the program itself replaces the text
    bool m_bCaretShowPending = false;
    std::function<void()> m_onTextChanged;
};

}  // namespace kelmio
