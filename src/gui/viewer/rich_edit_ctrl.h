#pragma once
// Rich text in the text pane: wxRichTextCtrl showing the core's rich-text
// model (viewer/rtf_document.h). The model stays the truth: it holds what
// the control cannot show (pictures, fields, unknown words) and is what is
// saved. Typing changes only the control; before a format change and
// before saving, the model takes the control's text over by the changed
// middle (common start and end kept), so no edit is lost whichever way
// the control changed its text.

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/textctrl.h>

#include <optional>
#include <string>

#include "gui/viewer/r_edit_ctrl.h"
#include "viewer/rtf_document.h"

class wxRichTextCtrl;

namespace kelmio {

class CRichEditCtrl final : public CREditCtrl {
public:
    CRichEditCtrl(wxWindow* parent, int id);

    wxRichTextCtrl& Control() { return *m_pControl; }

    // Shows `document`, unmodified.
    void LoadDocument(CRtfDocument document);
    // The model with the control's text taken over.
    const CRtfDocument& Document();

    wxWindow* Window() override;
    bool IsRich() const override { return true; }
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

    void ToggleBold() override;
    void ToggleItalic() override;
    void ToggleUnderline() override;
    void ToggleStrikeOut() override;
    std::optional<wxFont> GetSelectionFont() const override;
    void SetSelectionFont(const wxFont& font) override;
    std::optional<wxColour> GetSelectionColor() const override;
    void SetSelectionColor(const wxColour& colour) override;

protected:
    std::string_view SearchText() override;
    std::size_t SelectionEnd() const override;
    void SelectAndShow(std::size_t start, std::size_t end) override;
    void ReplaceRange(std::size_t start, std::size_t end, std::string_view utf8) override;
    void Freeze(bool frozen) override;

private:
    void Sync() const;
    // Applies `change` to the selection in the model and `style` to it in
    // the control.
    void ApplyToSelection(const CRtfFormatChange& change, const wxTextAttr& style);
    CRtfShownFormat SelectionFormat() const;

    wxRichTextCtrl* m_pControl;
    mutable CRtfDocument m_document;  // brought up to the control's text on use
    std::string m_strSearchText;  // UTF-8 copy of the control's text for a search
    bool m_bForcedModified = false;
};

// The control's style for a shown format.
wxTextAttr StyleOf(const CRtfShownFormat& format);

}  // namespace kelmio
