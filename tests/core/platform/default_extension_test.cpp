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

// Chosen paths are the file system's own bytes, UTF-8 here. Read as
// Shift-JIS, the last byte of 文 (0xE6 0x96 0x87) would take the following
// "." or "/" as its second byte.
TEST(DefaultExtension, Utf8NamesKeepTheirTypedExtensionAndFolders) {
    EXPECT_EQ(WithDefaultExtension("/home/a/訳文.txt", "*", TextFileFilter(), 1), "/home/a/訳文.txt");
    EXPECT_EQ(WithDefaultExtension("/home/a/源氏物語.kmp", "kmp", ProjectSaveFilter(), 1), "/home/a/源氏物語.kmp");
    EXPECT_EQ(WithDefaultExtension("/home/a/キー設定.key", "KEY", Sj("KEYﾌｧｲﾙ(*.KEY) |*.KEY||"), 1),
              "/home/a/キー設定.key");
    EXPECT_EQ(WithDefaultExtension("/home/v1.訳文/草稿", "*", TextFileFilter(), 1), "/home/v1.訳文/草稿.txt");
    EXPECT_EQ(WithDefaultExtension("/home/a/訳文", "*", TextFileFilter(), 1), "/home/a/訳文.txt");
}

}  // namespace
}  // namespace kelmio
