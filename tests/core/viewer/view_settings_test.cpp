#include "viewer/view_settings.h"

#include <gtest/gtest.h>

#include "platform/settings.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(ViewSettings, DefaultsWithNothingStored) {
    const CMemorySettings settings;
    const CSourceFont font = ReadSourceFont(settings);
    EXPECT_EQ(font.strFaceName, Sj("ＭＳ ゴシック"));
    EXPECT_EQ(font.nSize, -17);
    EXPECT_EQ(font.nWeight, 400);
    EXPECT_EQ(font.nCharSet, 128);
    EXPECT_FALSE(font.bItalic);
    const CViewSettings view = ReadViewSettings(settings);
    EXPECT_EQ(view.nScrollDownRate, -20);
    EXPECT_EQ(view.nPureLevel, 10);
    EXPECT_FALSE(view.bBrowserMode);
    EXPECT_FALSE(SavesSourceWithoutAsking(settings));
}

TEST(ViewSettings, FontRoundTripsThroughTheEFontSection) {
    CMemorySettings settings;
    const CSourceFont font{Sj("IPAゴシック"), -24, 700, true, true, 1};
    WriteSourceFont(settings, font);
    EXPECT_EQ(ReadSourceFont(settings), font);
    EXPECT_EQ(settings.GetInt("EFont", "Weight", 0), 700);
    EXPECT_EQ(settings.GetInt("EFont", "Underline", 0), 1);
}

TEST(ViewSettings, BrowserModeIsWrittenAsZeroOrOne) {
    CMemorySettings settings;
    WriteBrowserMode(settings, true);
    EXPECT_EQ(settings.GetInt("View", "BrowserMode", -1), 1);
    WriteBrowserMode(settings, false);
    EXPECT_EQ(settings.GetInt("View", "BrowserMode", -1), 0);
}

TEST(COptionDlg, AcceptsIntegersOnly) {
    const COptionDlg dialog(-20);
    EXPECT_EQ(dialog.InitialText(), "-20");
    EXPECT_EQ(dialog.Parse(" -35 "), -35);
    EXPECT_EQ(dialog.Parse("0"), 0);
    EXPECT_EQ(dialog.Parse("+7"), 7);
    EXPECT_FALSE(dialog.Parse(""));
    EXPECT_FALSE(dialog.Parse("1.5"));
    EXPECT_FALSE(dialog.Parse("12a"));
    EXPECT_FALSE(dialog.Parse("99999999999"));
    EXPECT_EQ(COptionDlg::NotAnIntegerMessage(), Sj("整数を入力してください。"));
    EXPECT_EQ(COptionDlg::Caption(), Sj("設定"));
}

TEST(COptionDlg, OkWritesTheOffset) {
    CMemorySettings settings;
    COptionDlg dialog(-20);
    dialog.Apply(settings, 0);
    EXPECT_EQ(dialog.m_nScrollDownRate, 0);
    EXPECT_EQ(settings.GetInt("View", "ScrollDownRate", 99), 0);
    EXPECT_EQ(ReadViewSettings(settings).nScrollDownRate, 0);
}

}  // namespace
}  // namespace kelmio
