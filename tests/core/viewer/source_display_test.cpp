#include "viewer/source_display.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;
using Kind = SourceDisplayKind;

Kind KindOf(std::string_view path, bool browserMode) { return ClassifySource(path, browserMode).kind; }

TEST(ClassifySource, TableRowsWithBrowserModeOffAndOn) {
    struct Row {
        const char* path;
        Kind off;
        Kind on;
    };
    const Row rows[] = {
        {"/a/p.bmp", Kind::kImage, Kind::kImage},
        {"/a/p.sbx", Kind::kPlaceholder, Kind::kInfoPage},
        {"/a/v.MPEG", Kind::kInfoText, Kind::kMediaPage},
        {"/a/s.mid", Kind::kInfoText, Kind::kMediaPage},
        {"/a/b.exe", Kind::kInfoText, Kind::kInfoPage},
        {"/a/l.dll", Kind::kInfoText, Kind::kInfoPage},
        {"/a/d.PDF", Kind::kBrowser, Kind::kBrowser},
        {"/a/r.rtf", Kind::kRichText, Kind::kBrowser},
        {"/a/t.xls", Kind::kInfoText, Kind::kBrowser},
        {"/a/t.doc", Kind::kInfoText, Kind::kBrowser},
        {"/a/g.gif", Kind::kImage, Kind::kBrowser},
        {"/a/g.JPeG", Kind::kImage, Kind::kBrowser},
        {"/a/w.emf", Kind::kImage, Kind::kBrowser},
        {"/a/page.html", Kind::kText, Kind::kBrowser},
        {"/a/notes.txt", Kind::kText, Kind::kBrowser},
        {"", Kind::kBlank, Kind::kBlank},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(KindOf(row.path, false), row.off) << row.path;
        EXPECT_EQ(KindOf(row.path, true), row.on) << row.path;
    }
}

TEST(ClassifySource, PathWithoutDotIsTextEvenInBrowserMode) {
    EXPECT_EQ(KindOf("/home/u/README", true), Kind::kText);
    // A dot only in a folder name: the "extension" matches no row.
    EXPECT_EQ(KindOf("/home/u.v/README", false), Kind::kText);
    EXPECT_EQ(KindOf("/home/u.v/README", true), Kind::kBrowser);
}

TEST(ClassifySource, AnythingWithSchemeSeparatorIsAUrl) {
    EXPECT_EQ(KindOf("http://example.org/a.bmp", false), Kind::kUrl);
    EXPECT_EQ(KindOf("file:///a/b.txt", false), Kind::kUrl);
}

TEST(ClassifySource, TitlesTypesAndHeights) {
    EXPECT_EQ(ClassifySource("/a/p.sbx", false).text, Sj("スプリグボックスファイル"));
    EXPECT_EQ(ClassifySource("/a/p.sbx", true).text, Sj("スプリグボックスファイル"));
    EXPECT_EQ(ClassifySource("/a/b.exe", true).text, Sj("バイナリーファイル"));
    EXPECT_EQ(ClassifySource("/a/b.exe", false).text, "");
    EXPECT_EQ(ClassifySource("/a/s.wav", false).text, Sj("メディアファイル"));
    EXPECT_TRUE(ClassifySource("/a/v.swf", true).withHeight);
    EXPECT_FALSE(ClassifySource("/a/s.au", true).withHeight);
}

TEST(ClassifySource, PluginExtensionsAreImagesOnlyWithBrowserModeOff) {
    const PluginExtensionTest reads = [](std::string_view ext) { return ext == "mag"; };
    EXPECT_EQ(ClassifySource("/a/p.mag", false, reads).kind, Kind::kImage);
    EXPECT_EQ(ClassifySource("/a/p.mag", true, reads).kind, Kind::kBrowser);
    EXPECT_EQ(ClassifySource("/a/p.mag", false).kind, Kind::kText);
}

TEST(ClassifySource, ExtensionIsTheTextAfterTheLastDot) {
    EXPECT_EQ(SourceExtension(Sj("/a/ソース.tar.exe")), "exe");
    EXPECT_EQ(SourceExtension("/a/b"), "");
    EXPECT_EQ(SourceExtension("/a/b."), "");
}

TEST(InfoText, FourLinesForBExeInFolderA) {
    EXPECT_EQ(InfoText("/c/a/b.exe", ""),
              Sj("■通常モードで表示できないファイルです\r\nファイルタイプ：exeファイル\r\nファイル名：b.exe\r\n"
                 "フォルダ名：/c/a\r\n"));
    EXPECT_EQ(InfoText("/c/a/v.avi", Sj("メディアファイル")),
              Sj("■通常モードで表示できないファイルです\r\nファイルタイプ：メディアファイル\r\nファイル名：v.avi\r\n"
                 "フォルダ名：/c/a\r\n"));
}

TEST(InfoText, FolderWithBackslashTrailByteKeepsTheKanji) {
    const std::string path = Sj("/表/b.exe");  // 表 = 0x95 0x5C
    EXPECT_NE(InfoText(path, "").find(Sj("フォルダ名：/表\r\n")), std::string::npos);
}

TEST(IsShownAlready, OnlyTheSameXlsFile) {
    EXPECT_TRUE(IsShownAlready("/a/b.xls", "file:///a/b.xls"));
    EXPECT_TRUE(IsShownAlready("/a/b.XLS", "file:///a/b.XLS"));
    EXPECT_FALSE(IsShownAlready("/a/b.xls", "file:///a/c.xls"));
    EXPECT_FALSE(IsShownAlready("/a/b.pdf", "file:///a/b.pdf"));
    EXPECT_TRUE(IsShownAlready("C:\\a\\b.xls", "file:///C:/a/b.xls"));
}

}  // namespace
}  // namespace kelmio
