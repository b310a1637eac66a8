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
    case ViewMode::kImage: return;
    case ViewMode::kBrowser:
        pos.m_nScrollX = view.nScrollX;
        pos.m_nScrollY = view.nScrollY;
        return;
    }
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
