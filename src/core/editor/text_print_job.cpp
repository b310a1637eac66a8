#include "editor/text_print_job.h"

namespace kelmio {
namespace {

// The whole printable area of the device, before the margins.
CPrintRect PageRect(const CPrintDevice& device) {
    const CPrintDeviceCaps caps = device.GetDeviceCaps();
    return {0, 0, caps.nHorzRes, caps.nVertRes};
}

}  // namespace

void CTextPrintJob::Start() { m_arrPageStarts.assign(1, 0); }

void CTextPrintJob::End() { m_arrPageStarts.clear(); }

bool CTextPrintJob::PreparePage(CPrintDevice& device, std::string_view text, int nPage) {
    if (nPage < 1 || !IsStarted()) return false;
    int page = KnownPageCount();
    while (page < nPage) {
        if (!LayOutPage(device, text, page, CWrapMode::kMeasure)) break;
        if (KnownPageCount() == page) break;  // the text ended on this page
        ++page;
    }
    return nPage <= KnownPageCount();
}

bool CTextPrintJob::PrintPage(CPrintDevice& device, std::string_view text, int nPage) {
    return LayOutPage(device, text, nPage, CWrapMode::kDraw);
}

bool CTextPrintJob::LayOutPage(CPrintDevice& device, std::string_view text, int nPage, CWrapMode mode) {
    if (nPage < 1 || nPage > KnownPageCount()) return false;
    const CPrintRect rect = ApplyPrintMargins(PageRect(device), m_margins, device.GetDeviceCaps());
    const std::size_t start = m_arrPageStarts[static_cast<std::size_t>(nPage) - 1];
    const CWrapResult result = WrapTextIntoRect(device, text, start, rect, m_nTabSize, mode);
    // Each page takes at least one line, so the starts only grow.
    if (nPage == KnownPageCount() && result.nEnd < text.size() && result.nEnd > start) {
        m_arrPageStarts.push_back(result.nEnd);
    }
    return true;
}

}  // namespace kelmio
