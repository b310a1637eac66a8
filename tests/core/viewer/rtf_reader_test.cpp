#include "viewer/rtf_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/sjis_literal.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// A document whose font 0 is Japanese, around `body`.
std::string Japanese(const std::string& body) {
    return "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Gothic;}}\\f0 " + body + "}";
}

std::string TextOf(const std::string& rtf) {
    const CRtfReadResult result = ReadRtf(rtf);
    EXPECT_TRUE(result.ok());
    return result.m_document.PlainText();
}

TEST(RtfReader, ReadsTablesRunsAndParagraphs) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033"
        "{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
        "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\qc\\f0\\fs20 \\'93\\'fa{\\b\\cf1 \\'96\\'7b}\\par\r\n"
        "\\pard\\plain\\f1\\i Caf\\'e9\\tab x\\line y\\par\r\n}";
    const CRtfReadResult result = ReadRtf(rtf);
    ASSERT_TRUE(result.ok());
    EXPECT_FALSE(result.HasUnkeptContent());
    const CRtfDocument& doc = result.m_document;
    ASSERT_EQ(doc.m_fonts.size(), 2u);
    EXPECT_EQ(doc.m_fonts[0].m_strFace, "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D");  // ＭＳ 明朝
    EXPECT_EQ(doc.m_fonts[0].m_nCharset, 128);
    EXPECT_EQ(doc.m_fonts[1].m_strFace, "Times New Roman");
    EXPECT_EQ(doc.m_fonts[1].m_nPitch, 2);
    ASSERT_EQ(doc.m_colors.size(), 2u);
    EXPECT_FALSE(doc.m_colors[0].m_color.has_value());
    EXPECT_EQ(doc.m_colors[1].m_color, (CRtfColor{255, 0, 0}));
    EXPECT_EQ(doc.m_strHeaderWords, "\\deflang1033\\viewkind4");

    EXPECT_EQ(doc.PlainText(), "日本\nCafé\tx\xE2\x80\xA8y\n");
    ASSERT_EQ(doc.m_paragraphs.size(), 3u);
    EXPECT_EQ(doc.m_paragraphs[0].m_strProps, "\\qc");
    EXPECT_EQ(doc.m_paragraphs[0].m_strEnd, "par");
    EXPECT_EQ(doc.m_paragraphs[2].m_strEnd, "");
    ASSERT_EQ(doc.m_paragraphs[0].m_runs.size(), 2u);
    const CRtfShownFormat bold = doc.Shown(doc.FormatAt(1));
    EXPECT_TRUE(bold.m_bBold);
    EXPECT_EQ(bold.m_color, (CRtfColor{255, 0, 0}));
    EXPECT_EQ(bold.m_nHalfPoints, 20);
    EXPECT_EQ(bold.m_nCharset, 128);
    const CRtfShownFormat plain = doc.Shown(doc.FormatAt(3));
    EXPECT_EQ(plain.m_strFace, "Times New Roman");
    EXPECT_TRUE(plain.m_bItalic);
    EXPECT_FALSE(plain.m_bBold);
    EXPECT_EQ(plain.m_nHalfPoints, kRtfDefaultHalfPoints);
}

TEST(RtfReader, ShiftJisPairsSurviveEscapesAndBackslashTrailBytes) {
    const std::string hyo = "表";  // Shift-JIS 0x95 0x5C
    EXPECT_EQ(TextOf(Japanese("\\'95\\'5c")), hyo);
    EXPECT_EQ(TextOf(Japanese("\\'95\\\\\\'8e\\'a6")), hyo + "示");   // trail as \\ .
    EXPECT_EQ(TextOf(Japanese("\\'95\\\\\\par x")), hyo + "\nx");     // \\ then a real \par
    EXPECT_EQ(TextOf(Japanese("\\'83\\{")), Cp932ToUtf8("\x83\x7B"));  // trail "{" as \{
    // Raw Shift-JIS: a trail byte "\" or "}" is not markup.
    EXPECT_EQ(TextOf(Japanese(test::Sj("表示") + "\\par x")), hyo + "示\nx");
    EXPECT_EQ(TextOf(Japanese(test::Sj("表") + "\\par x")), hyo + "\nx");
    EXPECT_EQ(TextOf(Japanese(test::Sj("ソ") + "}")), "ソ");  // 0x83 0x5C, then the closing brace
    EXPECT_EQ(TextOf(Japanese("\x83\x7D")), Cp932ToUtf8("\x83\x7D"));
    // Bytes of a Western font are code page 1252.
    EXPECT_EQ(TextOf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 \\'80\\'e9\\'95\\'5c}"), "€é•\\");
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallback) {
    EXPECT_EQ(TextOf(Japanese("\\u12354?x")), "あx");
    EXPECT_EQ(TextOf(Japanese("\\uc2\\u12354\\'82\\'a0x")), "あx");
    EXPECT_EQ(TextOf(Japanese("{\\uc2\\u12354\\'82\\'a0}\\u12356?y")), "あいy");  // \uc ends with its group
    EXPECT_EQ(TextOf(Japanese("\\uc0\\u12354 x")), "あx");
    EXPECT_EQ(TextOf(Japanese("\\u-10179?\\u-8704?")), "\xF0\x9F\x98\x80");  // U+1F600 as a surrogate pair
    EXPECT_EQ(TextOf(Japanese("\\u8364\\'80x")), "€x");
    // The fallback stops at a group's end.
    EXPECT_EQ(TextOf(Japanese("\\uc3{\\u12354}b")), "あb");

    const CRtfReadResult lone = ReadRtf(Japanese("\\u-10179?z"));
    EXPECT_EQ(lone.m_document.PlainText(), "\xEF\xBF\xBDz");
    EXPECT_TRUE(lone.HasUnkeptContent());
}

TEST(RtfReader, DestinationsAreKeptWholeInPlace) {
    const std::string nested = "{\\*\\foo {\\bar inner}{\\*\\baz \\'95\\'5c}}";
    const std::string picture = "{\\pict\\pngblip\\picw10 89504e47}";
    const std::string field = "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}";
    const std::string bookmark = "{\\*\\bkmkstart b1}";
    const CRtfReadResult result = ReadRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}{\\*\\generator Me;}\\pard a" + nested + "b" +
        picture + "c" + field + bookmark + "d\\par}");
    ASSERT_TRUE(result.ok());
    EXPECT_FALSE(result.HasUnkeptContent());
    const CRtfDocument& doc = result.m_document;
    EXPECT_EQ(doc.m_headerGroups, (std::vector<std::string>{"{\\stylesheet{\\s0 Normal;}}", "{\\*\\generator Me;}"}));
    // Pictures and fields take one position each; the rest none.
    EXPECT_EQ(doc.PlainText(), "ab\xEF\xBF\xBC" "c\xEF\xBF\xBC" "d\n");
    std::vector<std::string> kept;
    for (const CRtfRun& run : doc.m_paragraphs[0].m_runs) {
        if (run.IsKept()) kept.push_back(run.m_strKept);
    }
    EXPECT_EQ(kept, (std::vector<std::string>{nested, picture, field, bookmark}));
}

TEST(RtfReader, TablesKeepTheirMarkupAndEndParagraphsAtCells) {
    const CRtfReadResult result =
        ReadRtf("{\\rtf1\\ansi\\pard\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard c\\page d}");
    ASSERT_TRUE(result.ok());
    const CRtfDocument& doc = result.m_document;
    EXPECT_EQ(doc.PlainText(), "a\nb\n\ncd");
    ASSERT_EQ(doc.m_paragraphs.size(), 4u);
    EXPECT_EQ(doc.m_paragraphs[0].m_strEnd, "cell");
    EXPECT_EQ(doc.m_paragraphs[0].m_strProps, "\\intbl");
    EXPECT_EQ(doc.m_paragraphs[0].m_runs[0].m_strKept, "\\trowd");
    EXPECT_EQ(doc.m_paragraphs[2].m_strEnd, "row");
    EXPECT_EQ(doc.m_paragraphs[3].m_runs[1].m_strKept, "\\page");
}

TEST(RtfReader, DamagedFilesReadWhatIsThereAndSayWhatWouldBeLost) {
    EXPECT_EQ(ReadRtf("").m_error, ERtfReadError::NotRtf);
    EXPECT_EQ(ReadRtf("plain text {\\rtf1}").m_error, ERtfReadError::NotRtf);
    EXPECT_EQ(ReadRtf("\x89PNG\r\n").m_error, ERtfReadError::NotRtf);

    // Cut off in ordinary text: everything read is kept.
    const CRtfReadResult cut = ReadRtf("{\\rtf1 abc {\\b def");
    EXPECT_TRUE(cut.ok());
    EXPECT_TRUE(cut.m_bTruncated);
    EXPECT_FALSE(cut.HasUnkeptContent());
    EXPECT_EQ(cut.m_document.PlainText(), "abc def");

    // Cut off inside a picture: the half picture cannot be written back.
    const CRtfReadResult cutPicture = ReadRtf("{\\rtf1 abc{\\pict 0102");
    EXPECT_TRUE(cutPicture.ok());
    EXPECT_EQ(cutPicture.m_losses, std::vector<ERtfLoss>{ERtfLoss::CutGroup});
    EXPECT_EQ(cutPicture.m_document.PlainText(), "abc");
    EXPECT_FALSE(cutPicture.UnkeptDescription().empty());

    // One brace too many ends the document early.
    const CRtfReadResult extra = ReadRtf("{\\rtf1 a}}b");
    EXPECT_EQ(extra.m_document.PlainText(), "a");
    EXPECT_EQ(extra.m_losses, std::vector<ERtfLoss>{ERtfLoss::TrailingContent});
    EXPECT_FALSE(ReadRtf(std::string("{\\rtf1 a}\r\n\0", 12)).HasUnkeptContent());

    // A lead byte without its trail.
    EXPECT_EQ(ReadRtf(Japanese("\\'95")).m_losses, std::vector<ERtfLoss>{ERtfLoss::BadCharacters});
}

TEST(RtfReader, HugeNumbersAndDeepNestingAreHarmless) {
    const CRtfReadResult result = ReadRtf(
        "{\\rtf1\\ansi\\ansicpg99999999999\\fs99999999999999999999 a\\cf-5 b\\f-2147483649 d"
        "\\li-99999999999999 e{\\uc99999999\\u70000 skipped}f}");
    ASSERT_TRUE(result.ok());
    const CRtfDocument& doc = result.m_document;
    EXPECT_EQ(doc.m_nCodePage, 1252);
    EXPECT_EQ(doc.FormatAt(0).m_nHalfPoints, 3276);
    EXPECT_EQ(doc.FormatAt(1).m_nColor, 0);
    EXPECT_EQ(doc.FormatAt(2).m_nFont, INT_MIN);
    EXPECT_EQ(doc.m_paragraphs[0].m_strProps, "\\li-99999999999999");
    EXPECT_EQ(doc.PlainText(), "abde\xEF\xBF\xBD" "f");  // the fallback skip ends with its group

    const CRtfReadResult binary = ReadRtf("{\\rtf1 a\\bin99999999999 xy}");
    EXPECT_EQ(binary.m_document.PlainText(), "a");
    EXPECT_TRUE(binary.HasUnkeptContent());

    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "\\b x" + std::string(100000, '}') + "y}";
    const CRtfReadResult nested = ReadRtf(deep);
    ASSERT_TRUE(nested.ok());
    EXPECT_EQ(nested.m_document.PlainText(), "xy");
    EXPECT_TRUE(nested.m_document.FormatAt(0).m_bBold);

    const CRtfReadResult unclosed = ReadRtf("{\\rtf1 " + std::string(100000, '{') + "z");
    EXPECT_EQ(unclosed.m_document.PlainText(), "z");
    EXPECT_TRUE(unclosed.m_bTruncated);
}

}  // namespace
}  // namespace kelmio
