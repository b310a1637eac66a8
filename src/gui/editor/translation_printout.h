#pragma once
// The printed pages of the translation text, for the printer and for the
// preview: the page layout of the core drawn on the toolkit's device
// context. Pages are laid out once per device size, so the preview at one
// zoom shows the pages the printer prints. The preview lays out only what it
// shows at first and counts the other pages a few at a time.

#include <wx/print.h>

#include <optional>
#include <string>

#include "editor/print_margins.h"
#include "editor/text_print_job.h"

namespace kelmio {

// What is printed and how the editor shows it.
struct CPrintSource {
    std::string strText;  // Shift-JIS
    int nTabSize = 8;     // the editor's tab size in characters
    std::string strFontFace;
    double dFontPoints = 0.0;
};

class CTranslationPrintout final : public wxPrintout {
public:
    CTranslationPrintout(const wxString& title, CPrintSource source, const CPrintMargins& margins);

    void OnPreparePrinting() override;
    void OnBeginPrinting() override;
    void OnEndPrinting() override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;

    // The number of pages known, once the printing was prepared; 0 before.
    int PageCount() const { return m_nPageCount; }
    // False while a preview has not counted every page yet.
    bool AllPagesCounted() const { return m_bAllCounted; }
    // For the preview, after a page was shown: lays out up to `nPages`
    // further pages without drawing, on a device like the one the page was
    // drawn on. True once every page is known.
    bool CountMorePages(int nPages);
    // Where each known page begins in the text.
    const std::vector<std::size_t>& PageStarts() const { return m_job.PageStarts(); }

private:
    // Maps the device so that the text has its screen size on paper,
    // selects the font and tells the page in the device's logical units.
    CPrintDeviceCaps PrepareDc();
    void DescribeUnknownDevice();
    void StartJobForDc();

    CPrintSource m_source;
    CPrintMargins m_margins;
    CTextPrintJob m_job;
    std::optional<wxFont> m_font;  // none: the device's default font
    wxSize m_jobDcSize;
    int m_nPageCount = 0;
    bool m_bAllCounted = false;
};

}  // namespace kelmio
