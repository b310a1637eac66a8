#include "encoding/detection.h"

#include <gtest/gtest.h>

#include <string>

namespace kelmio {
namespace {

TextEncoding Detect(const std::string& bytes) { return DetectEncoding(bytes); }

TEST(DetectEncoding, EscapeSequencesMarkJis) {
    EXPECT_EQ(Detect("abc\x1B$B4A\x1B(B"), TextEncoding::kJis);
    EXPECT_EQ(Detect("\x1B$@"), TextEncoding::kJis);
    EXPECT_EQ(Detect("\x1B(I1\x1B(B"), TextEncoding::kAscii);  // kana alone is no proof
    EXPECT_EQ(Detect("\x1B$"), TextEncoding::kAscii);          // cut off at the end
    // A byte that does not fit the sequence is consumed, even an ESC.
    EXPECT_EQ(Detect("\x1B\x1B$B"), TextEncoding::kAscii);
}

TEST(DetectEncoding, ShiftJisAndEucBytes) {
    EXPECT_EQ(Detect("plain ascii\r\n"), TextEncoding::kAscii);
    EXPECT_EQ(Detect(""), TextEncoding::kAscii);
    EXPECT_EQ(Detect("\x8A\xBF\x8E\x9A"), TextEncoding::kShiftJis);  // 漢字
    EXPECT_EQ(Detect("\xB4\xC1\xBB\xFA"), TextEncoding::kEucJp);      // 漢字: 0xFA decides
    EXPECT_EQ(Detect("\xF0\xA1"), TextEncoding::kEucJp);
    EXPECT_EQ(Detect("\x8E\xB1"), TextEncoding::kSjisOrEuc);          // EUC half-width or two SJIS kana
    EXPECT_EQ(Detect("\x8E\x40"), TextEncoding::kShiftJis);
    EXPECT_EQ(Detect("\xE0\x40"), TextEncoding::kShiftJis);
    EXPECT_EQ(Detect("\xE0\xFD"), TextEncoding::kEucJp);
    EXPECT_EQ(Detect("\xE0\xA1"), TextEncoding::kSjisOrEuc);
    // A half-width katakana as the very last byte cannot start an EUC pair.
    EXPECT_EQ(Detect("abc\xB1"), TextEncoding::kShiftJis);
    EXPECT_EQ(Detect("\xB1\x41"), TextEncoding::kShiftJis);
}

TEST(DetectEncoding, EucUndecidedThenDecided) {
    const std::string start = "text \xA4\xA2";  // あ in EUC-JP, or ､｢ in Shift-JIS
    EXPECT_EQ(Detect(start), TextEncoding::kSjisOrEuc);
    EXPECT_EQ(Detect(start + " more \xA4\xA4 \xF0\xA1"), TextEncoding::kEucJp);
    EXPECT_EQ(Detect(start + " more \x81\x40"), TextEncoding::kShiftJis);
    EXPECT_EQ(Detect(start + "\x9F\x40"), TextEncoding::kShiftJis);
    // Once decided, nothing later changes it.
    EXPECT_EQ(Detect(start + "\xF0\xA1\x81\x40"), TextEncoding::kEucJp);
}

TEST(DetectEncoding, InnerLoopRunsOnlyWhenAlreadyUndecided) {
    // Not yet undecided: 0xA4 0xE0 leaves the result alone and the next
    // pair E0 40 is looked at on its own.
    EXPECT_EQ(Detect("\xA4\xE0\xE0\x40"), TextEncoding::kShiftJis);
    // Already undecided: the loop swallows E0 E0 40 and finds nothing.
    EXPECT_EQ(Detect("\xA4\xA2\xA4\xE0\xE0\x40"), TextEncoding::kSjisOrEuc);
    EXPECT_EQ(Detect("\xA4\xA2\xA4\xE0\x41\x90"), TextEncoding::kShiftJis);
    EXPECT_EQ(Detect("\xA4\xA2\xA4\xE0\xFD"), TextEncoding::kEucJp);
    // The byte that stops the loop is consumed: this ESC starts nothing.
    EXPECT_EQ(Detect("\xA4\xA2\xA4\xE0\x1B$B"), TextEncoding::kSjisOrEuc);
}

TEST(DetectLineEnd, FirstLineEndDecides) {
    EXPECT_EQ(DetectLineEnd("ab\r\ncd\n"), LineEnd::kCrLf);
    EXPECT_EQ(DetectLineEnd("ab\ncd\r\n"), LineEnd::kLf);
    EXPECT_EQ(DetectLineEnd("ab\rcd\r\n"), LineEnd::kCr);
    EXPECT_EQ(DetectLineEnd("ab\r"), LineEnd::kCr);
    EXPECT_EQ(DetectLineEnd("no line end"), LineEnd::kNone);
    EXPECT_EQ(DetectLineEnd(""), LineEnd::kNone);
}

TEST(DetectEncoding, ReadsOnlyAsFarAsNeeded) {
    // A source of endless Shift-JIS blocks: detection must stop after the first.
    int refills = 0;
    CByteReader reader([&refills](char* buffer, std::size_t size) {
        ++refills;
        for (std::size_t i = 0; i < size; ++i) buffer[i] = i % 2 == 0 ? '\x82' : '\xA0';
        return size;
    });
    EXPECT_EQ(DetectEncoding(reader), TextEncoding::kShiftJis);
    EXPECT_EQ(reader.Next(), 0xA0);  // the rest is still unread
    EXPECT_EQ(refills, 1);
}

TEST(DetectEncoding, BlocksJoinSeamlessly) {
    // The JIS escape and an EUC pair split across refills still count.
    const std::string data = std::string(10, 'a') + "\x1B$B";
    std::size_t pos = 0;
    CByteReader reader([&](char* buffer, std::size_t) {
        if (pos >= data.size()) return std::size_t{0};
        buffer[0] = data[pos++];
        return std::size_t{1};
    });
    EXPECT_EQ(DetectEncoding(reader), TextEncoding::kJis);
    EXPECT_EQ(reader.Next(), -1);
    EXPECT_EQ(reader.Next(), -1);
}

}  // namespace
}  // namespace kelmio
