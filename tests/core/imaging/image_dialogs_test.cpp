#include <gtest/gtest.h>

#include "imaging/rotate_dlg.h"
#include "imaging/zoom_dlg.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;
using Event = CZoomDlg::ScrollEvent;

TEST(ZoomDlg, OpensWithTheActiveZoomAndItsTexts) {
    CImageZoom zoom;
    zoom.m_bReduce = true;
    zoom.m_nReduce = 25;
    const CZoomDlg reduce = CZoomDlg::ForReduce(zoom);
    EXPECT_DOUBLE_EQ(reduce.GetFactor(), 2.5);
    EXPECT_EQ(reduce.GetFactorText(), "2.5");
    EXPECT_EQ(reduce.GetScrollPos(), 25);
    EXPECT_EQ(reduce.GetTitle(), Sj("縮小"));
    EXPECT_EQ(reduce.GetUnitText(), Sj("分の１"));
    EXPECT_EQ(CZoomDlg::GetPrompt(), Sj("倍率を設定してください(&B)"));

    const CZoomDlg enlarge = CZoomDlg::ForEnlarge(zoom);  // enlarge not active: 1.0
    EXPECT_EQ(enlarge.GetFactorText(), "1");
    EXPECT_EQ(enlarge.GetScrollPos(), 10);
    EXPECT_EQ(enlarge.GetTitle(), Sj("拡大"));
    EXPECT_EQ(enlarge.GetUnitText(), Sj("倍"));
}

TEST(ZoomDlg, ScrollStepsNeverLeaveOneToTen) {
    CZoomDlg dialog = CZoomDlg::ForEnlarge(CImageZoom{});
    dialog.OnScroll(Event::kLineLeft, 0, dialog.GetFactorText());
    EXPECT_DOUBLE_EQ(dialog.GetFactor(), 1.0);
    dialog.OnScroll(Event::kPageLeft, 0, "1.2");
    EXPECT_DOUBLE_EQ(dialog.GetFactor(), 1.0);
    for (int i = 0; i < 3; ++i) dialog.OnScroll(Event::kLineRight, 0, dialog.GetFactorText());
    EXPECT_EQ(dialog.GetFactorText(), "1.3");
    EXPECT_EQ(dialog.GetScrollPos(), 13);
    dialog.OnScroll(Event::kPageRight, 0, "9.8");  // the typed value counts first
    EXPECT_DOUBLE_EQ(dialog.GetFactor(), 10.0);
    dialog.OnScroll(Event::kThumb, 47, dialog.GetFactorText());
    EXPECT_EQ(dialog.GetFactorText(), "4.7");
    dialog.OnScroll(Event::kLeftEnd, 0, "x");
    EXPECT_DOUBLE_EQ(dialog.GetFactor(), 1.0);
    dialog.OnScroll(Event::kRightEnd, 0, "x");
    EXPECT_DOUBLE_EQ(dialog.GetFactor(), 10.0);
    dialog.OnScroll(Event::kLineRight, 0, "55");
    EXPECT_DOUBLE_EQ(dialog.GetFactor(), 10.0);
}

TEST(ZoomDlg, AcceptedValueIsTruncatedAndLimited) {
    const CZoomDlg dialog = CZoomDlg::ForReduce(CImageZoom{});
    EXPECT_EQ(dialog.AcceptedTenths("2.59"), 25);
    EXPECT_EQ(dialog.AcceptedTenths(" 1.1 "), 11);
    EXPECT_EQ(dialog.AcceptedTenths("0"), 10);     // would divide by zero
    EXPECT_EQ(dialog.AcceptedTenths("0.5"), 10);
    EXPECT_EQ(dialog.AcceptedTenths("250"), 100);
    EXPECT_EQ(dialog.AcceptedTenths("abc"), 10);   // not a number: the factor shown
    EXPECT_EQ(ParseRealNumber("1e400"), std::nullopt);
}

TEST(RotateDlg, AnglesAndDirections) {
    EXPECT_EQ(CRotateDlg::DirectionTexts(),
              (std::vector<std::string>{Sj("時計回り(右回り)"), Sj("反時計回り(左回り)")}));
    CRotateDlg dialog;
    EXPECT_EQ(dialog.m_nDirection, -1);
    EXPECT_EQ(dialog.RotationAngle(), 0);

    dialog.m_nDirection = CRotateDlg::kClockwise;
    ASSERT_TRUE(dialog.SetAngleText("-30"));
    EXPECT_EQ(dialog.RotationAngle(), 3000);  // 360 - 330 = 30
    ASSERT_TRUE(dialog.SetAngleText("45.5"));
    EXPECT_EQ(dialog.RotationAngle(), 31450);
    ASSERT_TRUE(dialog.SetAngleText("90"));
    EXPECT_EQ(dialog.RotationAngle(), 27000);

    dialog.m_nDirection = CRotateDlg::kCounterClockwise;
    ASSERT_TRUE(dialog.SetAngleText("45.3"));
    EXPECT_EQ(dialog.RotationAngle(), 4530);
    dialog.m_nDirection = -1;  // no selection turns left
    ASSERT_TRUE(dialog.SetAngleText("-90"));
    EXPECT_EQ(dialog.RotationAngle(), 27000);
    EXPECT_FALSE(dialog.SetAngleText("left"));
    EXPECT_EQ(dialog.RotationAngle(), 27000);
}

}  // namespace
}  // namespace kelmio
