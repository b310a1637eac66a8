#include "viewer/rtf_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/rtf_reader.h"
#include "viewer/rtf_writer.h"

namespace kelmio {
namespace {

// "日本語abc" / "xyz" with "本語a" bold.
CRtfDocument Sample() {
    const CRtfReadResult result = ReadRtf(
        "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 G;}}\\f0 \\u26085?{\\b \\u26412?\\u35486?a}bc\\par xyz}");
    EXPECT_TRUE(result.ok());
    return result.m_document;
}

std::vector<std::string> RunTexts(const CRtfParagraph& paragraph) {
    std::vector<std::string> texts;
    for (const CRtfRun& run : paragraph.m_runs) texts.push_back(run.m_strText);
    return texts;
}

TEST(RtfDocument, PositionsCountCharactersAcrossParagraphs) {
    const CRtfDocument doc = Sample();
    EXPECT_EQ(doc.PlainText(), "日本語abc\nxyz");
    EXPECT_EQ(doc.Length(), 10u);
    EXPECT_FALSE(doc.FormatAt(0).m_bBold);
    EXPECT_TRUE(doc.FormatAt(1).m_bBold);
    EXPECT_TRUE(doc.FormatAt(3).m_bBold);
    EXPECT_FALSE(doc.FormatAt(4).m_bBold);
    EXPECT_FALSE(doc.FormatAt(6).m_bBold);  // the paragraph's end: the character before it
    EXPECT_FALSE(doc.FormatAt(99).m_bBold);
}

TEST(RtfDocument, ApplyFormatSplitsAndJoinsRuns) {
    CRtfDocument doc = Sample();
    CRtfFormatChange italic;
    italic.m_bItalic = true;
    doc.ApplyFormat(2, 8, italic);  // "語abc", the break, "x"
    EXPECT_EQ(RunTexts(doc.m_paragraphs[0]), (std::vector<std::string>{"日", "本", "語a", "bc"}));
    EXPECT_EQ(RunTexts(doc.m_paragraphs[1]), (std::vector<std::string>{"x", "yz"}));
    EXPECT_TRUE(doc.FormatAt(7).m_bItalic);
    EXPECT_FALSE(doc.FormatAt(8).m_bItalic);
    EXPECT_TRUE(doc.FormatAt(2).m_bBold);

    CRtfFormatChange undo;
    undo.m_bItalic = false;
    undo.m_bBold = false;
    doc.ApplyFormat(0, doc.Length(), undo);
    EXPECT_EQ(RunTexts(doc.m_paragraphs[0]), (std::vector<std::string>{"日本語abc"}));

    CRtfFormatChange look;
    look.m_strFace = "ＭＳ 明朝";
    look.m_nHalfPoints = 99999;
    look.m_color = CRtfColor{1, 2, 3};
    doc.ApplyFormat(1, 2, look);
    const CRtfShownFormat shown = doc.Shown(doc.FormatAt(1));
    EXPECT_EQ(shown.m_strFace, "ＭＳ 明朝");
    EXPECT_EQ(shown.m_nCharset, 128);
    EXPECT_EQ(shown.m_nHalfPoints, 3276);
    EXPECT_EQ(shown.m_color, (CRtfColor{1, 2, 3}));
    ASSERT_EQ(doc.m_colors.size(), 2u);  // index 0 stays the default colour
    EXPECT_FALSE(doc.m_colors[0].m_color.has_value());
    EXPECT_EQ(doc.FontNumberFor("ＭＳ 明朝", 128), doc.FormatAt(1).m_nFont);

    CRtfFormatChange automatic;
    automatic.m_bAutoColor = true;
    doc.ApplyFormat(0, 3, automatic);
    EXPECT_FALSE(doc.Shown(doc.FormatAt(1)).m_color.has_value());

    const CRtfReadResult reread = ReadRtf(WriteRtf(doc));
    EXPECT_EQ(reread.m_document, doc);
}

TEST(RtfDocument, NewFontsNeverTakeANumberARunAlreadyUses) {
    // Text in font 0 with no table entry: naming font 0 now would change it.
    CRtfDocument doc = ReadRtf("{\\rtf1\\ansi\\f0 a\\f5 b}").m_document;
    const int number = doc.FontNumberFor("Arial", 0);
    EXPECT_NE(number, 0);
    EXPECT_NE(number, 5);
    EXPECT_EQ(doc.FontNumberFor("Arial", 0), number);
    EXPECT_NE(doc.FontNumberFor("Arial", 128), number);
}

TEST(RtfDocument, InsertTextTakesTheFormatBeforeItAndSplitsParagraphs) {
    CRtfDocument doc = Sample();
    doc.InsertText(2, "ね");  // after the bold "本"
    EXPECT_EQ(doc.PlainText(), "日本ね語abc\nxyz");
    EXPECT_TRUE(doc.FormatAt(2).m_bBold);
    doc.InsertText(0, "始");  // at a paragraph's start: the format after it
    EXPECT_FALSE(doc.FormatAt(0).m_bBold);

    doc.m_paragraphs[0].m_strProps = "\\qc";
    doc.InsertText(5, "1\n2\n");
    EXPECT_EQ(doc.PlainText(), "始日本ね語1\n2\nabc\nxyz");
    ASSERT_EQ(doc.m_paragraphs.size(), 4u);
    EXPECT_EQ(doc.m_paragraphs[1].m_strProps, "\\qc");
    EXPECT_EQ(doc.m_paragraphs[0].m_strEnd, "par");
    EXPECT_EQ(doc.m_paragraphs[2].m_strEnd, "par");
    EXPECT_EQ(doc.m_paragraphs[3].m_strEnd, "");
    EXPECT_TRUE(doc.FormatAt(7).m_bBold);   // "2" continues the bold "語"
    EXPECT_TRUE(doc.FormatAt(9).m_bBold);   // "a" was bold
    EXPECT_FALSE(doc.FormatAt(10).m_bBold);
}

TEST(RtfDocument, DeleteTextJoinsParagraphsAndKeepsInvisibleMarkup) {
    CRtfDocument doc = ReadRtf("{\\rtf1\\ansi ab{\\*\\bkmkstart m}cd{\\pict 00}e\\par\\pard\\qc fg\\cell h}").m_document;
    EXPECT_EQ(doc.PlainText(), "abcd\xEF\xBF\xBC" "e\nfg\nh");
    doc.DeleteText(1, 8);  // "bcd", the picture, "e", the break, "f"
    EXPECT_EQ(doc.PlainText(), "ag\nh");
    ASSERT_EQ(doc.m_paragraphs.size(), 2u);
    EXPECT_EQ(doc.m_paragraphs[0].m_strEnd, "cell");  // the joined paragraph ends as the second did
    int bookmarks = 0;
    for (const CRtfRun& run : doc.m_paragraphs[0].m_runs) bookmarks += run.m_strKept == "{\\*\\bkmkstart m}";
    EXPECT_EQ(bookmarks, 1);

    doc.DeleteText(0, doc.Length());
    EXPECT_EQ(doc.PlainText(), "");
    EXPECT_EQ(ReadRtf(WriteRtf(doc)).m_document, doc);
}

}  // namespace
}  // namespace kelmio
