#include "viewer/view_state.h"

#include "project/kelmio_data.h"

namespace kelmio {

void StoreViewState(const ViewStateSnapshot& view, CKelmioPosData& pos) {
    pos.m_bBrowserMode = view.bBrowserMode ? 1 : 0;
    switch (view.mode) {
    case ViewMode::kText:
    case ViewMode::kRichText:
        if (!view.bHasPane) return;
        pos.m_nScrollX = 0;
        pos.m_nScrollY = view.nPaneFirstLine;
        return;
    case ViewMode::kImage:
        pos.m_nScrollX = view.nScrollX;
        pos.m_nScrollY = view.nScrollY;
        pos.m_bClientSize = view.layout.bClientSize ? 1 : 0;
        pos.m_bEnlarge = view.layout.bEnlarge ? 1 : 0;
        pos.m_bReduce = view.layout.bReduce ? 1 : 0;
        pos.m_nEnlarge = view.layout.nEnlarge;
        pos.m_nReduce = view.layout.nReduce;
        pos.m_bFitWindow = view.layout.bFitWindow ? 1 : 0;
        return;
    case ViewMode::kBrowser:
        pos.m_nScrollX = view.nScrollX;
        pos.m_nScrollY = view.nScrollY;
        return;
    }
}

ImageLayout LayoutFromState(const CKelmioPosData& pos) {
    return ImageLayout{pos.m_bClientSize != 0, pos.m_bEnlarge != 0, pos.m_bReduce != 0,
                       pos.m_nEnlarge,        pos.m_nReduce,        pos.m_bFitWindow != 0};
}

ViewRestore PlanRestore(ViewMode mode, bool pathEmpty, const CKelmioPosData& pos) {
    if (pathEmpty) return {};
    switch (mode) {
    case ViewMode::kText:
    case ViewMode::kRichText: return {RestoreKind::kScrollPaneLines, 0, pos.m_nScrollY};
    case ViewMode::kImage: return {RestoreKind::kScrollImage, pos.m_nScrollX, pos.m_nScrollY};
    case ViewMode::kBrowser: return {RestoreKind::kPostBrowserScroll, pos.m_nScrollX, pos.m_nScrollY};
    }
    return {};
}

}  // namespace kelmio
