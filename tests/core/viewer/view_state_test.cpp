#include "viewer/view_state.h"

#include <gtest/gtest.h>

#include "project/kelmio_data.h"

namespace kelmio {
namespace {

CKelmioPosData Filled() {
    CKelmioPosData pos;
    pos.m_nScrollX = 11;
    pos.m_nScrollY = 22;
    pos.m_bClientSize = 1;
    pos.m_nEnlarge = 30;
    pos.m_nEditCaret = 99;
    pos.m_nEditTopLine = 7;
    return pos;
}

TEST(StoreViewState, TextPaneStoresItsFirstLineOnly) {
    CKelmioPosData pos = Filled();
    ViewStateSnapshot view;
    view.mode = ViewMode::kRichText;
    view.bHasPane = true;
    view.nPaneFirstLine = 40;
    view.bBrowserMode = true;
    StoreViewState(view, pos);
    EXPECT_EQ(pos.m_nScrollX, 0);
    EXPECT_EQ(pos.m_nScrollY, 40);
    EXPECT_EQ(pos.m_bBrowserMode, 1);
    EXPECT_EQ(pos.m_nEnlarge, 30);     // image layout untouched
    EXPECT_EQ(pos.m_nEditCaret, 99);   // the editor's part is not the viewer's
}

TEST(StoreViewState, TextModeWithoutPaneStoresBrowserModeOnly) {
    CKelmioPosData pos = Filled();
    ViewStateSnapshot view;  // Text, no pane (an empty source)
    StoreViewState(view, pos);
    CKelmioPosData expected = Filled();
    expected.m_bBrowserMode = 0;
    EXPECT_EQ(pos, expected);
}

TEST(StoreViewState, ImageLeavesPositionAndZoomToImageDisplay) {
    CKelmioPosData pos = Filled();
    ViewStateSnapshot view;
    view.mode = ViewMode::kImage;
    view.nScrollX = 5;
    view.nScrollY = 6;
    StoreViewState(view, pos);
    CKelmioPosData expected = Filled();
    expected.m_bBrowserMode = 0;
    EXPECT_EQ(pos, expected);
}

TEST(StoreViewState, BrowserStoresPageOffsetsAndKeepsLayout) {
    CKelmioPosData pos = Filled();
    ViewStateSnapshot view;
    view.mode = ViewMode::kBrowser;
    view.nScrollX = 3;
    view.nScrollY = 1200;
    StoreViewState(view, pos);
    EXPECT_EQ(pos.m_nScrollX, 3);
    EXPECT_EQ(pos.m_nScrollY, 1200);
    EXPECT_EQ(pos.m_bClientSize, 1);
}

TEST(PlanRestore, ByModeAndNothingForAnEmptySource) {
    const CKelmioPosData pos = Filled();
    EXPECT_EQ(PlanRestore(ViewMode::kText, false, pos), (ViewRestore{RestoreKind::kScrollPaneLines, 0, 22}));
    EXPECT_EQ(PlanRestore(ViewMode::kRichText, false, pos), (ViewRestore{RestoreKind::kScrollPaneLines, 0, 22}));
    EXPECT_EQ(PlanRestore(ViewMode::kImage, false, pos), (ViewRestore{RestoreKind::kScrollImage, 11, 22}));
    EXPECT_EQ(PlanRestore(ViewMode::kBrowser, false, pos), (ViewRestore{RestoreKind::kPostBrowserScroll, 11, 22}));
    EXPECT_EQ(PlanRestore(ViewMode::kBrowser, true, pos).kind, RestoreKind::kNone);
}

TEST(StoreViewState, SavedBrowserPositionComesBackOnRestore) {
    CKelmioPosData pos;
    ViewStateSnapshot view;
    view.mode = ViewMode::kBrowser;
    view.nScrollY = 845;
    StoreViewState(view, pos);
    EXPECT_EQ(PlanRestore(ViewMode::kBrowser, false, pos).nY, 845);
}

}  // namespace
}  // namespace kelmio
