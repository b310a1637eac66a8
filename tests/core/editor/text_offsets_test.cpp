#include "editor/text_offsets.h"

#include <gtest/gtest.h>

#include <string>

namespace kelmio {
namespace {

// "aア日\r\nｱ" in UTF-8: a(1) ア(3) 日(3) CR LF ｱ(3); in Shift-JIS a(1) ア(2) 日(2) CR LF ｱ(1).
const std::string kText = "a\xE3\x82\xA2\xE6\x97\xA5\r\n\xEF\xBD\xB1";

TEST(TextOffsets, Utf8ToSjisCountsDoubleAndSingleByteCharacters) {
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 0), 0u);
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 1), 1u);
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 4), 3u);
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 7), 5u);
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 9), 7u);   // after CR LF
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 12), 8u);  // half-width katakana is one byte
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 99), 8u);
    EXPECT_EQ(SjisOffsetFromUtf8(kText, 5), 3u);   // inside ア: its start
}

TEST(TextOffsets, SjisToUtf8RoundTripsAndSnapsInsideACharacterToItsStart) {
    for (std::size_t utf8 : {0u, 1u, 4u, 7u, 8u, 9u, 12u}) {
        EXPECT_EQ(Utf8OffsetFromSjis(kText, SjisOffsetFromUtf8(kText, utf8)), utf8) << utf8;
    }
    EXPECT_EQ(Utf8OffsetFromSjis(kText, 2), 1u);  // second byte of ア
    EXPECT_EQ(Utf8OffsetFromSjis(kText, 4), 4u);  // second byte of 日
    EXPECT_EQ(Utf8OffsetFromSjis(kText, 500), kText.size());
    EXPECT_EQ(Utf8OffsetFromSjis("", 3), 0u);
}

TEST(TextOffsets, CharactersWithoutAShiftJisFormCountAsTheirReplacement) {
    // U+1F600 has no Shift-JIS form and is saved as one "?".
    const std::string text = "\xF0\x9F\x98\x80z";
    EXPECT_EQ(SjisOffsetFromUtf8(text, 4), 1u);
    EXPECT_EQ(Utf8OffsetFromSjis(text, 1), 4u);
}

}  // namespace
}  // namespace kelmio
