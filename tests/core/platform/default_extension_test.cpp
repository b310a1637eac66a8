#include "platform/default_extension.h"

#include <gtest/gtest.h>

#include "project/file_filters.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(DefaultExtension, StarTakesTheChosenFiltersExtension) {
    const std::string& filter = TextFileFilter();  // text first, then every file
    EXPECT_EQ(WithDefaultExtension("/home/a/draft", "*", filter, 1), "/home/a/draft.txt");
    EXPECT_EQ(WithDefaultExtension("/home/a/draft", "*", filter, 0), "/home/a/draft.txt");
    EXPECT_EQ(WithDefaultExtension("/home/a/draft", "*", filter, 2), "/home/a/draft");
    // A filter that cannot name one extension adds none, never a "*".
    EXPECT_EQ(WithDefaultExtension("/a/x", "*", SourceFileFilter(), 1), "/a/x");
    // Of several patterns the first, as the chooser lists it.
    EXPECT_EQ(WithDefaultExtension("/a/x", "*", SourceFileFilter(), 2), "/a/x.bmp");
    EXPECT_EQ(WithDefaultExtension("/a/x", "*", SourceFileFilter(), 5), "/a/x.pdf");
    EXPECT_EQ(WithDefaultExtension("/a/x", "*", Sj("HTML(*.htm*)|*.htm*||"), 1), "/a/x");
    EXPECT_EQ(WithDefaultExtension("/a/x", "*", filter, 9), "/a/x");
}

TEST(DefaultExtension, PlainDefaultAndTypedExtensionsStayAsTheyAre) {
    EXPECT_EQ(WithDefaultExtension("/a/p", "kmp", ProjectSaveFilter(), 2), "/a/p.kmp");
    EXPECT_EQ(WithDefaultExtension("/a/p", ".kmp", ProjectSaveFilter(), 1), "/a/p.kmp");
    EXPECT_EQ(WithDefaultExtension("/a/p.text", "*", TextFileFilter(), 1), "/a/p.text");
    EXPECT_EQ(WithDefaultExtension("/a.b/p", "*", TextFileFilter(), 1), "/a.b/p.txt");
    EXPECT_EQ(WithDefaultExtension("/a/p", "", TextFileFilter(), 1), "/a/p");
}

TEST(DefaultExtension, FilterTextsWithSeparatorBytesInsideCharactersAreSplitByCharacter) {
    // "ポ" is 0x83 0x7C in Shift-JIS: its second byte is "|".
    const std::string filter = Sj("ポ文書(*.pot)|*.pot|全て|*.*||");
    EXPECT_EQ(DefaultExtensionFor("*", filter, 1), "pot");
    EXPECT_EQ(DefaultExtensionFor("*", filter, 2), "");
    // A name whose last byte is a trail byte 0x5C is not a folder.
    EXPECT_EQ(WithDefaultExtension(Sj("/a/表"), "*", filter, 1), Sj("/a/表.pot"));
}

}  // namespace
}  // namespace kelmio
