#include "platform/file_path.h"

#include <gtest/gtest.h>

#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

CFilePath Native(std::string_view bytes) { return CFilePath::FromNative(bytes); }

TEST(FilePath, ShiftJisPathsNameTheFileOfTheirUtf8Form) {
    // "表" ends in 0x5C: the byte is part of the character, not a separator.
    const CFilePath path = Sj("/訳/表.txt");
    EXPECT_EQ(path.Native(), "/訳/表.txt");
    EXPECT_EQ(path.Sjis(), Sj("/訳/表.txt"));
    EXPECT_EQ(path.Display(), Sj("/訳/表.txt"));
    EXPECT_EQ(path.FileName(), Sj("表.txt"));
    EXPECT_EQ(path, Native("/訳/表.txt"));
}

TEST(FilePath, NamesWithoutAShiftJisFormKeepTheirBytes) {
    for (const char* name : {"é.kmp", "ü.txt", "\xF0\x9F\x98\x80.kmp", "\xFF.kmp", "a\xE3\x81.kmp", "\xED\xB2\x80"}) {
        SCOPED_TRACE(name);
        const CFilePath path = Native(name);
        EXPECT_EQ(path.Native(), name);
        EXPECT_FALSE(path.Sjis());
        EXPECT_NE(path, Native("?.kmp"));
        // The wide form gives back exactly the same bytes.
        EXPECT_EQ(CFilePath::FromWide(path.Wide()), path);
    }
}

TEST(FilePath, WideFormIsUtf16WithStrayBytesAsLoneSurrogates) {
    EXPECT_EQ(Native("é").Wide(), u"é");
    EXPECT_EQ(Native("\xF0\x9F\x98\x80").Wide(), u"\U0001F600");
    EXPECT_EQ(Native("a\xFF").Wide(), (std::u16string{u'a', char16_t{0xDCFF}}));
    // A truncated character: each of its bytes is kept on its own.
    EXPECT_EQ(Native("\xE3\x81").Wide(), (std::u16string{char16_t{0xDCE3}, char16_t{0xDC81}}));
    // Overlong forms are not characters either.
    EXPECT_EQ(Native("\xC0\xAF").Wide(), (std::u16string{char16_t{0xDCC0}, char16_t{0xDCAF}}));
    EXPECT_EQ(CFilePath::FromWide(u"訳\U0001F600.txt").Native(), "訳\xF0\x9F\x98\x80.txt");
    // A lone surrogate another writer stored reads the same each time.
    const CFilePath odd = CFilePath::FromWide(std::u16string{char16_t{0xD800}, u'x'});
    EXPECT_EQ(odd, CFilePath::FromWide(std::u16string{char16_t{0xD800}, u'x'}));
    EXPECT_EQ(odd.Native(), "\xED\xA0\x80x");
}

TEST(FilePath, JoinAndFileName) {
    EXPECT_EQ(Native("/a").Join(Native("é.kmp")).Native(), "/a/é.kmp");
    EXPECT_EQ(Native("/a/").Join(Native("b")).Native(), "/a/b");
    EXPECT_EQ(CFilePath().Join(Native("b")).Native(), "b");
    EXPECT_EQ(Native("/x/\xFF.kmp").FileName().Native(), "\xFF.kmp");
    EXPECT_EQ(Native("plain").FileName().Native(), "plain");
}

TEST(FilePath, SameFileNameIgnoresCaseOnlyForShiftJisNames) {
    EXPECT_TRUE(SameFileName(Native("/A.kmp"), Native("/a.kmp")));
    EXPECT_TRUE(SameFileName(Native("/É.kmp"), Native("/É.kmp")));
    EXPECT_FALSE(SameFileName(Native("/É.kmp"), Native("/é.kmp")));
    EXPECT_FALSE(SameFileName(Native("/é.kmp"), Native("/?.kmp")));
    EXPECT_FALSE(SameFileName(Native("/\xFF"), Native("/\xFE")));
}

}  // namespace
}  // namespace kelmio
