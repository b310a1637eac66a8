#include "viewer/rtf_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "text/cp932.h"
#include "viewer/rtf_codepage.h"
#include "viewer/rtf_file.h"
#include "viewer/rtf_reader.h"
#include "platform/file_io.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

// A new document as the pane would make one: a Japanese face and some runs.
CRtfDocument NewDocument() {
    CRtfDocument doc;
    doc.FontNumberFor("ＭＳ 明朝", kCharsetShiftJis);
    CRtfDocument::AppendText(doc.m_paragraphs[0], "表示 {a\\b}\t", doc.FormatAt(0));
    CRtfCharFormat bold;
    bold.m_bBold = true;
    bold.m_nColor = doc.ColorIndexFor({0, 0, 255});
    CRtfDocument::AppendText(doc.m_paragraphs[0], "Café😀", bold);
    return doc;
}

TEST(RtfWriter, WritesShiftJisBytesAndUnicodeWhereThereIsNoShiftJis) {
    const std::string rtf = WriteRtf(NewDocument());
    EXPECT_EQ(rtf,
              "{\\rtf1\\ansi\\ansicpg932\\deff0"
              "{\\fonttbl{\\f0\\fnil\\fcharset128\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}"
              "{\\colortbl;\\red0\\green0\\blue255;}\\uc1\r\n"
              "\\pard\\'95\\'5c\\'8e\\'a6 \\{a\\\\b\\}\\tab\\plain\\f0\\b\\cf1 Caf\\u233?\\u-10179?\\u-8704?}");
}

TEST(RtfWriter, WhatItWritesReadsBackTheSame) {
    const CRtfDocument doc = NewDocument();
    const CRtfReadResult reread = ReadRtf(WriteRtf(doc));
    ASSERT_TRUE(reread.ok());
    EXPECT_FALSE(reread.HasUnkeptContent());
    EXPECT_EQ(reread.m_document, doc);
}

// Not every code page reads ASCII bytes as ASCII: 864 reads "%" as the
// Arabic percent sign. Whatever the document's code page, its text reads back.
TEST(RtfWriter, AsciiReadsBackInEveryCodePage) {
    std::string ascii = "\t";
    for (char ch = 0x20; ch < 0x7F; ++ch) ascii += ch;
    for (const int codePage : {437, 850, 852, 855, 857, 860, 861, 862, 863, 864, 865, 866, 869, 874, 932, 936, 949,
                               950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 1361, 10000}) {
        ASSERT_TRUE(IsKnownCodePage(codePage));
        CRtfDocument doc;
        doc.m_nCodePage = codePage;
        CRtfDocument::AppendText(doc.m_paragraphs[0], ascii, doc.FormatAt(0));
        const std::string rtf = WriteRtf(doc);
        const CRtfReadResult reread = ReadRtf(rtf);
        ASSERT_TRUE(reread.ok()) << codePage;
        EXPECT_EQ(reread.m_document, doc) << codePage << ": " << rtf;
        EXPECT_EQ(WriteRtf(reread.m_document), rtf) << codePage;
    }
    // Found by fuzzing: a "%" read before the code page was named.
    const CRtfReadResult percent = ReadRtf("{\\rtf%{\\ansicpg864");
    ASSERT_TRUE(percent.ok());
    const CRtfReadResult reread = ReadRtf(WriteRtf(percent.m_document));
    EXPECT_EQ(reread.m_document, percent.m_document);
}

TEST(RtfWriter, AFileRoundTripsAndKeptPiecesGoBackUnchanged) {
    const std::string picture = "{\\*\\shppict{\\pict\\pngblip\\picw10 89504e47}}";
    const std::string field = "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt {\\ul link}}}";
    const std::string styles = "{\\stylesheet{\\s0\\snext0 Normal;}{\\*\\cs10 Default;}}";
    const std::string original =
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041"
        "{\\fonttbl{\\f0\\fnil\\fcharset128\\fprq1{\\*\\panose 02020609040205080304}\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\ctint255\\cshade191\\red0\\green0\\blue0;}\r\n" +
        styles + "{\\*\\generator Riched20;}\\viewkind4\\uc1\r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs21\\lang1041 \\'95\\'5c{\\b\\cf1 \\'91\\'be}\\super 2\\nosupersub " +
        picture + field +
        "\\par\\pard\\f1\\uldb double\\ulnone  \\strike gone\\strike0\\f2 \\'b7\\f1\\u8364? \\u-10179?\\u-8704?\\par\r\n"
        "\\trowd\\cellx2000\\pard\\intbl cell\\cell\\row\\sect\\page end\\par\r\n}";
    const CRtfReadResult first = ReadRtf(original);
    ASSERT_TRUE(first.ok());
    EXPECT_FALSE(first.HasUnkeptContent());
    const std::string written = WriteRtf(first.m_document);
    for (const std::string& piece : {picture, field, styles}) EXPECT_NE(written.find(piece), std::string::npos) << piece;
    EXPECT_NE(written.find("{\\*\\panose 02020609040205080304}"), std::string::npos);
    EXPECT_NE(written.find("\\ctint255\\cshade191\\red0\\green0\\blue0;"), std::string::npos);
    EXPECT_NE(written.find("\\lang1041"), std::string::npos);

    const CRtfReadResult second = ReadRtf(written);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.m_document, first.m_document);
    EXPECT_EQ(WriteRtf(second.m_document), written);
    EXPECT_EQ(first.m_document.PlainText(),
              "表" + Cp932ToUtf8("\x91\xbe") +
                  "2\xEF\xBF\xBC\xEF\xBF\xBC\ndouble gone\xEF\x82\xB7€ \xF0\x9F\x98\x80\ncell\n\nend\n");
}

TEST(RtfWriter, UnderlineKindsFollowTheModelsFlag) {
    CRtfReadResult read = ReadRtf("{\\rtf1\\ansi\\ulw words\\ul0  plain}");
    ASSERT_TRUE(read.ok());
    // \ulw then \ul0: not underlined, though the kind word is kept.
    EXPECT_FALSE(read.m_document.FormatAt(7).m_bUnderline);
    const CRtfReadResult again = ReadRtf(WriteRtf(read.m_document));
    EXPECT_EQ(again.m_document, read.m_document);
}

TEST(RtfWriter, KeptGroupsEndAtTheSameBraceWhereverTheyAreWrittenBack) {
    // Read before the font table makes font 0 Japanese; written after it.
    // Byte 0xE0 would be a Shift-JIS lead byte there, taking the "{" along.
    const CRtfReadResult first =
        ReadRtf("{\\rtf1\\ansi x{\\*\\unknown a\xE0{b}}y{\\fonttbl{\\f0\\fcharset128 G;}}\\f0 z}");
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.m_document.m_paragraphs[0].m_runs[1].m_strKept, "{\\*\\unknown a\xE0{b}}");
    const std::string written = WriteRtf(first.m_document);
    const CRtfReadResult second = ReadRtf(written);
    EXPECT_EQ(second.m_document, first.m_document);
    EXPECT_EQ(WriteRtf(second.m_document), written);
}

TEST(RtfWriter, FilesAreSavedWholeOrNotAtAll) {
    const test::TempDir dir;
    const std::string path = FromNativePath(dir.File("source.rtf"));
    EXPECT_EQ(LoadRtfFile(path).m_fileError->cause, FileErrorCause::kNotFound);

    const CRtfDocument doc = NewDocument();
    ASSERT_FALSE(SaveRtfFile(path, doc).has_value());
    const CRtfFileResult loaded = LoadRtfFile(path);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.m_read.m_document, doc);

    // A save into a folder that does not exist fails and says so.
    const std::optional<FileError> failed = SaveRtfFile(FromNativePath(dir.File("none/x.rtf")), doc);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(LoadRtfFile(path).m_read.m_document, doc);
}

}  // namespace
}  // namespace kelmio
