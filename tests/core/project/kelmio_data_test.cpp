#include "project/kelmio_data.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;
using History = std::vector<CFilePath>;

CKelmioMemo Memo(const std::string& title, const std::string& text = "") { return CKelmioMemo{title, text}; }

TEST(SetSource, MovesTheSourceToTheTopOfTheHistory) {
    CKelmioData data;
    data.SetSource("/a.txt");
    data.SetSource("/b.txt");
    data.SetSource("/c.txt");
    data.SetSource("/a.txt");
    EXPECT_EQ(data.m_strSrcFile, "/a.txt");
    EXPECT_EQ(data.m_arrSrcHistory, (History{"/a.txt", "/c.txt", "/b.txt"}));

    // The current source again changes nothing.
    data.SetSource("/a.txt");
    EXPECT_EQ(data.m_arrSrcHistory, (History{"/a.txt", "/c.txt", "/b.txt"}));

    data.SetSource("");
    EXPECT_EQ(data.m_strSrcFile, "");
    EXPECT_EQ(data.m_arrSrcHistory, (History{"", "/a.txt", "/c.txt", "/b.txt"}));
}

TEST(SetSource, ReplacesAnEntryThatDiffersOnlyInCase) {
    CKelmioData data;
    data.SetSource(Sj("/Docs/原稿.TXT"));
    data.SetSource("/other.txt");
    data.SetSource(Sj("/docs/原稿.txt"));
    EXPECT_EQ(data.m_arrSrcHistory, (History{Sj("/docs/原稿.txt"), "/other.txt"}));
}

TEST(SetSource, KeepsKanaWhoseTrailBytesDifferOnlyAsAsciiCase) {
    // ア is 83 41 and ヂ is 83 61: "A" and "a" as single bytes, but different characters.
    CKelmioData data;
    data.SetSource(Sj("/ア.txt"));
    data.SetSource(Sj("/ヂ.txt"));
    EXPECT_EQ(data.m_arrSrcHistory, (History{Sj("/ヂ.txt"), Sj("/ア.txt")}));
}

TEST(SetSource, RemovesOnlyTheFirstEqualEntry) {
    // A history read from a file may hold duplicates; only the first goes.
    CKelmioData data;
    data.m_arrSrcHistory = {"/x", "/a", "/A"};
    data.SetSource("/a");
    EXPECT_EQ(data.m_arrSrcHistory, (History{"/a", "/x", "/A"}));
}

TEST(Memos, RemoveClosesTheGapAndKeepsOtherMemosInPlace) {
    CKelmioData data;
    data.AppendMemo(Memo("zero"));
    data.AppendMemo(Memo("one"));
    CKelmioMemo& two = data.AppendMemo(Memo("two", "text"));

    data.RemoveMemo(0);
    ASSERT_EQ(data.GetMemoCount(), 2u);
    EXPECT_EQ(data.GetMemo(0).m_strTitle, "one");
    EXPECT_EQ(data.GetMemo(1).m_strTitle, "two");
    EXPECT_EQ(&data.GetMemo(1), &two);  // a pane editing memo two still holds it

    data.RemoveMemo(5);  // past the end: nothing happens
    EXPECT_EQ(data.GetMemoCount(), 2u);
    data.RemoveMemo(1);
    data.RemoveMemo(0);
    EXPECT_EQ(data.GetMemoCount(), 0u);
}

TEST(Clear, MakesTheRecordEqualToANewOne) {
    CKelmioData data;
    data.m_strEditFile = "/t.txt";
    data.SetSource("/s.txt");
    data.m_nReserved = 3;
    data.m_nDicKind = 2;
    data.m_strDicPath = "/bin/dic";
    data.m_strDicParam = "%s";
    data.AppendMemo(Memo("a", "b"));
    data.AppendMemo(Memo("c"));
    data.m_pos.m_nEditTopLine = 9;

    data.Clear();
    EXPECT_EQ(data, CKelmioData());
}

}  // namespace
}  // namespace kelmio
