#include "gui/editor/translation_printout.h"

#include <wx/dc.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/printer_font.h"
#include "gui/editor/print_device_dc.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

// What wxPrintout reports for a document whose length is not known yet.
constexpr int kUnknownPageCount = 32000;

int MillimetresOf(int logicalUnits, int unitsPerInch) {
    return unitsPerInch > 0 ? static_cast<int>(std::lround(logicalUnits * 25.4 / unitsPerInch)) : 0;
}

}  // namespace

CTranslationPrintout::CTranslationPrintout(const wxString& title, CPrintSource source, const CPrintMargins& margins)
    : wxPrintout(title), m_source(std::move(source)), m_margins(margins), m_job(margins, m_source.nTabSize) {
    // The device is mapped to screen units, so the editor's point size
    // needs no scaling to the printer's resolution here.
    const int screenDpi = std::max(wxGetDisplayPPI().y, 1);
    const std::string systemFace = FromWx(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFaceName());
    if (const auto font =
            ChoosePrinterFont(m_source.dFontPoints, m_source.strFontFace, systemFace, screenDpi, screenDpi)) {
        wxFont made(wxFontInfo(font->m_nPointTenths / 10.0).FaceName(ToWx(font->m_strFace)));
        if (made.IsOk()) m_font = made;
    }
}

void CTranslationPrintout::DescribeUnknownDevice() {
    int ppiX = 0;
    int ppiY = 0;
    GetPPIScreen(&ppiX, &ppiY);
    if (ppiX <= 0 || ppiY <= 0) SetPPIScreen(wxGetDisplayPPI());
    GetPPIPrinter(&ppiX, &ppiY);
    if (ppiX <= 0 || ppiY <= 0) {
        GetPPIScreen(&ppiX, &ppiY);
        SetPPIPrinter(ppiX, ppiY);
    }
    int pageWidth = 0;
    int pageHeight = 0;
    GetPageSizePixels(&pageWidth, &pageHeight);
    if (pageWidth <= 0 || pageHeight <= 0) {
        const wxSize size = GetDC()->GetSize();
        SetPageSizePixels(size.x, size.y);
        SetPaperRectPixels(wxRect(size));
    }
}

CPrintDeviceCaps CTranslationPrintout::PrepareDc() {
    wxDC& dc = *GetDC();
    // Without a page size the device's mapping cannot be worked out: such a
    // device is taken as a page at screen resolution.
    DescribeUnknownDevice();
    MapScreenSizeToPage();
    dc.SetFont(m_font ? *m_font : *wxNORMAL_FONT);
    dc.SetTextForeground(*wxBLACK);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    int ppiX = 0;
    int ppiY = 0;
    GetPPIScreen(&ppiX, &ppiY);
    const wxRect page = GetLogicalPageRect();
    const wxRect paper = GetLogicalPaperRect();
    CPrintDeviceCaps caps;
    caps.nHorzRes = page.width;
    caps.nVertRes = page.height;
    // Logical units are screen pixels, whatever the device.
    caps.nHorzSizeMm = MillimetresOf(page.width, ppiX);
    caps.nVertSizeMm = MillimetresOf(page.height, ppiY);
    caps.nOffsetX = std::max(page.x - paper.x, 0);
    caps.nOffsetY = std::max(page.y - paper.y, 0);
    return caps;
}

void CTranslationPrintout::StartJobForDc() {
    const wxSize size = GetDC()->GetSize();
    if (m_job.IsStarted() && size == m_jobDcSize) return;
    m_job.Start();
    m_jobDcSize = size;
}

void CTranslationPrintout::OnPreparePrinting() {
    if (GetDC() == nullptr) return;
    const CPrintDeviceCaps caps = PrepareDc();
    StartJobForDc();
    CDcPrintDevice device(*GetDC(), caps);
    // The print dialog needs the number of pages, so printing lays out every
    // page first. The preview shows page 1 at once: it only needs to know
    // whether there is a page 2, and counts the rest while the user reads.
    const int upTo = IsPreview() ? 2 : std::numeric_limits<int>::max();
    m_bAllCounted = !m_job.PreparePage(device, m_source.strText, upTo);
    m_nPageCount = std::max(m_job.KnownPageCount(), 1);
}

bool CTranslationPrintout::CountMorePages(int nPages) {
    if (m_bAllCounted) return true;
    if (!m_job.IsStarted() || m_jobDcSize.x <= 0 || m_jobDcSize.y <= 0) return false;
    wxBitmap bitmap(m_jobDcSize);
    wxMemoryDC dc(bitmap);
    wxDC* shown = GetDC();
    SetDC(&dc);
    const CPrintDeviceCaps caps = PrepareDc();
    CDcPrintDevice device(dc, caps);
    m_bAllCounted = !m_job.PreparePage(device, m_source.strText, m_job.KnownPageCount() + nPages);
    m_nPageCount = std::max(m_job.KnownPageCount(), 1);
    SetDC(shown);
    return m_bAllCounted;
}

void CTranslationPrintout::OnBeginPrinting() {
    if (GetDC() != nullptr) StartJobForDc();
}

void CTranslationPrintout::OnEndPrinting() {
    // The preview renders one page at a time and keeps its pages.
    if (!IsPreview()) m_job.End();
}

void CTranslationPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
    const int count = m_nPageCount > 0 ? m_nPageCount : kUnknownPageCount;
    *minPage = 1;
    *maxPage = count;
    *pageFrom = 1;
    *pageTo = count;
}

bool CTranslationPrintout::HasPage(int page) {
    return page >= 1 && (m_nPageCount == 0 || page <= m_nPageCount);
}

bool CTranslationPrintout::OnPrintPage(int page) {
    if (GetDC() == nullptr) return false;
    const CPrintDeviceCaps caps = PrepareDc();
    StartJobForDc();
    CDcPrintDevice device(*GetDC(), caps);
    // A page the text does not reach is left empty rather than ending the job.
    if (m_job.PreparePage(device, m_source.strText, page)) m_job.PrintPage(device, m_source.strText, page);
    return true;
}

}  // namespace kelmio
