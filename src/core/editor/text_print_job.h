#pragma once
// One print job of the translation text: which offset each printed page
// begins at, found page by page as the pages are printed, or without
// drawing when a page further on is wanted first (a jump in the preview).
//
// The caller owns the device and hands in the text for each page; the job
// keeps only the page-start table, from Start to End.

#include <cstddef>
#include <string_view>
#include <vector>

#include "editor/print_device.h"
#include "editor/print_margins.h"
#include "editor/text_wrap.h"

namespace kelmio {

class CTextPrintJob {
public:
    // `nTabSize` is the editor's tab size in characters.
    CTextPrintJob(const CPrintMargins& margins, int nTabSize) : m_margins(margins), m_nTabSize(nTabSize) {}

    // Page 1 begins at the start of the text.
    void Start();
    // Forgets the pages; the job can be started again.
    void End();

    bool IsStarted() const { return !m_arrPageStarts.empty(); }
    // Entry n - 1 is the offset at which page n begins.
    const std::vector<std::size_t>& PageStarts() const { return m_arrPageStarts; }
    int KnownPageCount() const { return static_cast<int>(m_arrPageStarts.size()); }

    // Makes sure the start of page `nPage` (from 1) is known, laying out the
    // pages before it without drawing. False when the text ends before that
    // page, or the job was not started: printing stops there.
    bool PreparePage(CPrintDevice& device, std::string_view text, int nPage);

    // Prints page `nPage` of `text` inside the margins and, when it is the
    // last known page and text remains, records where the next page begins.
    // False (nothing drawn) when the page's start is not known yet.
    bool PrintPage(CPrintDevice& device, std::string_view text, int nPage);

private:
    bool LayOutPage(CPrintDevice& device, std::string_view text, int nPage, CWrapMode mode);

    CPrintMargins m_margins;
    int m_nTabSize;
    std::vector<std::size_t> m_arrPageStarts;
};

}  // namespace kelmio
