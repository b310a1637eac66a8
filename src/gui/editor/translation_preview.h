#pragma once
// The print preview of the translation text: page 1 shows at once, the
// other pages are counted while the window is idle, Esc closes the window,
// and the window opens on the screen of its owner.

#include <wx/print.h>

namespace kelmio {

class CTranslationPrintout;

// Lays the pages out on a page of the chosen paper, at the screen's
// resolution scaled to a printer's, as the toolkit's own preview does.
class CTranslationPreview final : public wxPrintPreviewBase {
public:
    // Takes both printouts.
    CTranslationPreview(CTranslationPrintout* preview, CTranslationPrintout* print, const wxPrintDialogData& data);

    bool Print(bool interactive) override;
    void DetermineScaling() override;
    bool RenderPage(int page) override;

    // Counts a few more pages; true once all are known.
    bool CountMorePages();
    bool AllPagesCounted() const;

private:
    void ShowPageStatus();

    CTranslationPrintout& m_printout;
};

class CPreviewFrame final : public wxPreviewFrame {
public:
    CPreviewFrame(CTranslationPreview* preview, wxWindow* owner, const wxString& title);

    CTranslationPreview& Preview() { return *m_pPreview; }

    // Activates the shown window with the keyboard on its page: the window
    // it opened from is disabled meanwhile and must not keep the focus, or
    // Escape and the control bar's keys would go nowhere.
    void TakeKeyboard();

private:
    void CreateControlBar() override;

    CTranslationPreview* m_pPreview;  // owned by the frame
};

// Where a preview window for `owner` goes: the owner's rectangle, within the
// work area of the owner's display (or the first one).
wxRect PreviewRectFor(const wxWindow* owner);

}  // namespace kelmio
