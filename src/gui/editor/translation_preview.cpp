#include "gui/editor/translation_preview.h"

#include <wx/display.h>
#include <wx/paper.h>

#include "gui/editor/translation_printout.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

// Pages counted in one idle step: a few milliseconds of layout, so the
// preview answers the keyboard and the mouse while it counts.
constexpr int kPagesPerStep = 25;
constexpr int kPrinterDpi = 600;

}  // namespace

CTranslationPreview::CTranslationPreview(CTranslationPrintout* preview, CTranslationPrintout* print,
                                         const wxPrintDialogData& data)
    : wxPrintPreviewBase(preview, print, const_cast<wxPrintDialogData*>(&data)), m_printout(*preview) {
    DetermineScaling();
}

bool CTranslationPreview::Print(bool interactive) {
    if (m_printPrintout == nullptr) return false;
    wxPrinter printer(&m_printDialogData);
    return printer.Print(m_previewFrame, m_printPrintout, interactive);
}

void CTranslationPreview::DetermineScaling() {
    const wxPrintData& printData = m_printDialogData.GetPrintData();
    const wxPrintPaperType* paper = wxThePrintPaperDatabase->FindPaperType(printData.GetPaperId());
    if (paper == nullptr) paper = wxThePrintPaperDatabase->FindPaperType(wxPAPER_A4);
    if (paper == nullptr) return;

    const wxSize screenPpi = wxGetDisplayPPI();
    m_previewPrintout->SetPPIScreen(screenPpi.x, screenPpi.y);
    m_previewPrintout->SetPPIPrinter(kPrinterDpi, kPrinterDpi);
    wxSize pixels = paper->GetSizeDeviceUnits();  // points
    pixels.x = pixels.x * kPrinterDpi / 72;
    pixels.y = pixels.y * kPrinterDpi / 72;
    wxSize millimetres(paper->GetWidth() / 10, paper->GetHeight() / 10);
    if (printData.GetOrientation() == wxLANDSCAPE) {
        pixels = wxSize(pixels.y, pixels.x);
        millimetres = wxSize(millimetres.y, millimetres.x);
    }
    m_pageWidth = pixels.x;
    m_pageHeight = pixels.y;
    m_previewPrintout->SetPageSizeMM(millimetres.x, millimetres.y);
    m_previewPrintout->SetPageSizePixels(m_pageWidth, m_pageHeight);
    m_previewPrintout->SetPaperRectPixels(wxRect(0, 0, m_pageWidth, m_pageHeight));
    // At 100 % the page looks about its real size on the screen.
    m_previewScaleX = static_cast<float>(screenPpi.x) / kPrinterDpi;
    m_previewScaleY = static_cast<float>(screenPpi.y) / kPrinterDpi;
}

bool CTranslationPreview::RenderPage(int page) {
    if (!wxPrintPreviewBase::RenderPage(page)) return false;
    ShowPageStatus();
    return true;
}

bool CTranslationPreview::AllPagesCounted() const { return m_printout.AllPagesCounted(); }

bool CTranslationPreview::CountMorePages() {
    if (!m_printingPrepared) return false;  // nothing shown yet
    const bool done = m_printout.CountMorePages(kPagesPerStep);
    m_maxPage = m_printout.PageCount();
    if (auto* frame = dynamic_cast<wxPreviewFrame*>(m_previewFrame)) {
        if (wxPreviewControlBar* bar = frame->GetControlBar()) bar->SetPageInfo(m_minPage, m_maxPage);
    }
    ShowPageStatus();
    return done;
}

void CTranslationPreview::ShowPageStatus() {
    if (m_previewFrame == nullptr) return;
    const wxString status =
        AllPagesCounted() ? wxString::Format(wxGetTranslation("Page %d of %d"), m_currentPage, m_maxPage)
                          : wxString::Format(WxText("%dページ (ページ数を数えています: %d)"), m_currentPage, m_maxPage);
    m_previewFrame->SetStatusText(status);
}

CPreviewFrame::CPreviewFrame(CTranslationPreview* preview, wxWindow* owner, const wxString& title)
    : wxPreviewFrame(preview, owner, title, PreviewRectFor(owner).GetPosition(), PreviewRectFor(owner).GetSize()),
      m_pPreview(preview) {
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE) {
            Close();
            return;
        }
        event.Skip();
    });
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        event.Skip();
        if (!m_pPreview->AllPagesCounted() && !m_pPreview->CountMorePages()) event.RequestMore();
    });
}

void CPreviewFrame::TakeKeyboard() {
    Raise();
    if (wxWindow* canvas = m_pPreview->GetCanvas()) canvas->SetFocus();
}

void CPreviewFrame::CreateControlBar() {
    wxPreviewFrame::CreateControlBar();
    // The toolkit's Japanese catalogue lacks these four tooltips.
    static const struct {
        int id;
        const char* tip;
    } kTips[] = {{wxID_PREVIEW_FIRST, "最初のページ"},
                 {wxID_PREVIEW_LAST, "最後のページ"},
                 {wxID_PREVIEW_ZOOM_OUT, "縮小"},
                 {wxID_PREVIEW_ZOOM_IN, "拡大"}};
    for (const auto& tip : kTips) {
        if (wxWindow* button = m_controlBar->FindWindow(tip.id)) button->SetToolTip(WxText(tip.tip));
    }
}

wxRect PreviewRectFor(const wxWindow* owner) {
    const int found = owner != nullptr ? wxDisplay::GetFromWindow(owner) : wxNOT_FOUND;
    const wxRect area = wxDisplay(found == wxNOT_FOUND ? 0u : static_cast<unsigned>(found)).GetClientArea();
    wxRect rect = owner != nullptr ? owner->GetRect() : wxRect(area.GetPosition(), wxSize(800, 700));
    rect.SetSize(wxSize(std::min(rect.width, area.width), std::min(rect.height, area.height)));
    rect.x = std::clamp(rect.x, area.x, area.GetRight() - rect.width + 1);
    rect.y = std::clamp(rect.y, area.y, area.GetBottom() - rect.height + 1);
    return rect;
}

}  // namespace kelmio
