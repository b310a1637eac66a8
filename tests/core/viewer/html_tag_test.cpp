#include "viewer/html_tag.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

TEST(CHtmlTag, ReadsEveryQuoteKindAndWritesItBack) {
    const CHtmlTag tag(R"(text before <EMBED SRC="a b.wav" loop=true title='x' alt=\"y\" hidden /> after)");
    EXPECT_EQ(tag.Name(), "EMBED");
    EXPECT_TRUE(tag.IsSelfClosing());
    ASSERT_EQ(tag.Attributes().size(), 5u);
    EXPECT_EQ(tag.Attributes()[0], (CHtmlElement{"SRC", "a b.wav", HtmlQuote::kDouble}));
    EXPECT_EQ(tag.Attributes()[1], (CHtmlElement{"loop", "true", HtmlQuote::kDouble}));
    EXPECT_EQ(tag.Attributes()[2], (CHtmlElement{"title", "x", HtmlQuote::kSingle}));
    EXPECT_EQ(tag.Attributes()[3], (CHtmlElement{"alt", "y", HtmlQuote::kEscapedDouble}));
    EXPECT_EQ(tag.Attributes()[4], (CHtmlElement{"hidden", "", HtmlQuote::kDouble}));
    EXPECT_EQ(tag.ToString(), R"(<EMBED SRC="a b.wav" loop="true" title='x' alt=\"y\" hidden />)");
}

TEST(CHtmlTag, TextWithoutBracketsGivesAnEmptyTag) {
    EXPECT_EQ(CHtmlTag("EMBED SRC=x").ToString(), "<>");
    EXPECT_EQ(CHtmlTag("<EMBED").ToString(), "<>");
    EXPECT_TRUE(CHtmlTag("").Attributes().empty());
}

TEST(CHtmlTag, KanjiEndingInBackslashByteDoesNotCloseAnEscapedValue) {
    // "表" is 0x95 0x5C in Shift-JIS: its trail byte is a backslash.
    const std::string value = test::Sj("表示");
    const CHtmlTag tag("<A T=\\\"" + value + "\\\">");
    ASSERT_EQ(tag.Attributes().size(), 1u);
    EXPECT_EQ(tag.Attributes()[0].m_strValue, value);
}

TEST(CHtmlTagSetAttribute, ReplacesCaseInsensitivelyAndTrimsQuotes) {
    CHtmlTag tag("<EMBED src='old'>");
    tag.SetAttribute("SRC", "'\"new\"'");
    ASSERT_EQ(tag.Attributes().size(), 1u);
    EXPECT_EQ(tag.Attributes()[0].m_strValue, "new");
    EXPECT_EQ(tag.Attributes()[0].m_quote, HtmlQuote::kSingle);  // the written quote stays
    EXPECT_EQ(tag.FindAttribute("Src"), 0);
    EXPECT_EQ(tag.FindAttribute("HEIGHT"), -1);
}

TEST(CHtmlTagSetAttribute, EmptyOrTwoQuotesRemovesOrAddsNothing) {
    CHtmlTag tag("<EMBED A=1 B=2 C=3>");
    tag.SetAttribute("b", "\"\"");
    tag.SetAttribute("a", "");
    EXPECT_EQ(tag.ToString(), "<EMBED C=\"3\">");
    tag.SetAttribute("D", "");
    tag.SetAttribute("E", "\"\"");
    EXPECT_EQ(tag.ToString(), "<EMBED C=\"3\">");
}

TEST(CHtmlTagSetAttribute, NewValueLosesDoubleQuotesAtEitherEnd) {
    CHtmlTag tag("<EMBED>");
    tag.SetAttribute("SRC", "\"\"/a/\"b\".wav\"");
    EXPECT_EQ(tag.ToString(), "<EMBED SRC=\"/a/\"b\".wav\">");
}

TEST(EscapeHtml, TurnsTheFiveMarkupCharactersIntoReferencesAndKeepsTheRest) {
    EXPECT_EQ(EscapeHtml(R"(<a href="x">'&'</a>)"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    const std::string plain = test::Sj("/home/u/ツール/表示 b~1.exe");
    EXPECT_EQ(EscapeHtml(plain), plain);
    EXPECT_EQ(EscapeHtml(""), "");
}

}  // namespace
}  // namespace kelmio
