#pragma once
// Plain text in the text pane: wxStyledTextCtrl without margins, lexer or
// horizontal scroll bar, lines wrapped at the window's edge. The control
// keeps the text as UTF-8, so its positions are byte offsets of that text.

#include <cstddef>
#include <memory>
#include <string_view>

#include "gui/platform/caret_blink.h"
#include "gui/viewer/r_edit_ctrl.h"

class wxStyledTextCtrl;

namespace kelmio {

class CPlainEditCtrl final : public CREditCtrl {
public:
    // `lineEnd` is what Enter inserts: "\r\n" or "\n".
    CPlainEditCtrl(wxWindow* parent, int id);

    wxStyledTextCtrl& Control() { return *m_pControl; }

    wxWindow* Window() override;
    bool IsRich() const override { return false; }
    void BeginLoad() override;
    void AppendLoaded(std::string_view utf8) override;
    void EndLoad() override;
    std::string TextUtf8() const override;
    void SetReadOnly(bool readOnly) override;
    bool IsModified() const override;
    void SetModified(bool modified) override;
    void SetDefaultFont(const wxFont& font) override;
    int FirstVisibleLine() const override;
    void ScrollToLine(int line) override;
    void ScrollLines(int lines) override;
    void ScrollPages(int pages) override;
    bool CanUndo() const override;
    void Undo() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void SelectAll() override;
    void ReplaceSelection(std::string_view utf8) override;

    // Makes room for a text of `utf8Bytes` being loaded, so the control's
    // buffer is not moved and copied as it grows.
    void ReserveLoad(std::size_t utf8Bytes);
    // Enter inserts LF alone in a file whose lines end so.
    void UseLineFeedOnly(bool lfOnly);

protected:
    std::string_view SearchText() override;
    std::size_t SelectionEnd() const override;
    void SelectAndShow(std::size_t start, std::size_t end) override;
    void ReplaceRange(std::size_t start, std::size_t end, std::string_view utf8) override;
    void Freeze(bool frozen) override;

private:
    wxStyledTextCtrl* m_pControl;  // owned by its parent window
    std::unique_ptr<CCaretBlink> m_pBlink;
    bool m_bForcedModified = false;
};

}  // namespace kelmio
