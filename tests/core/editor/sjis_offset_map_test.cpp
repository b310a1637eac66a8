#include "editor/sjis_offset_map.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/text_offsets.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// Pieces of UTF-8 the editor can hold: ASCII, kana and kanji (two
// Shift-JIS bytes), half-width katakana (one byte), characters with no
// Shift-JIS form (one "?"), and every kind of line end.
const std::vector<std::string> kPieces = {
    "a", " ", "Z", "\xE3\x81\x82" /* あ */, "\xE6\x97\xA5" /* 日 */, "\xEF\xBD\xB1" /* ｱ */,
    "\xF0\x9F\x98\x80" /* U+1F600 */, "\xC3\xA9" /* é */, "\xE2\x91\xA0" /* ① */, "\r\n", "\n", "\r",
};

// Bytes that are not UTF-8: stray continuation bytes, truncated sequences,
// bytes that never start one.
const std::vector<std::string> kBrokenPieces = {"\x80", "\xBF\xBF", "\xE3\x81", "\xF0\x9F", "\xFF", "\xC0\xAF"};

std::string RandomText(std::mt19937& random, std::size_t pieces, bool broken) {
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i) {
        if (broken && random() % 5 == 0) text += kBrokenPieces[random() % kBrokenPieces.size()];
        else text += kPieces[random() % kPieces.size()];
    }
    return text;
}

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Compares the map with the whole-prefix conversion at every position (for
// broken text, where a position is not inside a character; a stray byte is
// a character of its own there) and every Shift-JIS offset.
void ExpectSameAsWholeTextConversion(const std::string& text, bool broken) {
    const CUtf8TextLines lines(text);
    CSjisOffsetMap map(lines);
    for (std::size_t position = 0; position <= text.size() + 2; ++position) {
        if (broken && position < text.size() && IsContinuation(text[position])) continue;
        ASSERT_EQ(map.SjisOffset(position), SjisOffsetFromUtf8(text, position)) << "position " << position;
    }
    CSjisOffsetMap fresh(lines);  // the reverse way first, from an empty cache
    const std::size_t sjisSize = SjisOffsetFromUtf8(text, text.size());
    for (std::size_t offset = 0; offset <= sjisSize + 2; ++offset) {
        const std::size_t position = fresh.Utf8Position(offset);
        if (!broken) {
            ASSERT_EQ(position, Utf8OffsetFromSjis(text, offset)) << "offset " << offset;
        }
        // Round trip: the character found holds the offset (no character
        // is longer than two bytes; a run of stray bytes counts as one
        // character whose replacement is longer), or the offset is past the end.
        const std::size_t start = fresh.SjisOffset(position);
        if (offset < sjisSize) {
            ASSERT_LE(start, offset);
            if (!broken) {
                ASSERT_LT(offset - start, 2u);
            }
        } else {
            ASSERT_EQ(position, text.size());
        }
    }
}

TEST(SjisOffsetMap, AgreesWithWholeTextConversionOnRandomText) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        ExpectSameAsWholeTextConversion(RandomText(random, random() % 60, false), false);
    }
}

TEST(SjisOffsetMap, AgreesOnTextThatIsNotUtf8) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        ExpectSameAsWholeTextConversion(RandomText(random, random() % 60, true), true);
    }
    ExpectSameAsWholeTextConversion("\n\x80\x80\r\xE3", true);
}

TEST(SjisOffsetMap, EmptyTextAndTextEndingInALineEnd) {
    ExpectSameAsWholeTextConversion("", false);
    ExpectSameAsWholeTextConversion("\r\n", false);
    ExpectSameAsWholeTextConversion("\xE6\x97\xA5\r\n\r\n", false);
    const CUtf8TextLines lines("\xE6\x97\xA5\r\n");
    CSjisOffsetMap map(lines);
    EXPECT_EQ(map.Utf8Position(4), 5u);
    EXPECT_EQ(map.Utf8Position(1), 0u);  // second byte of 日
}

// Long texts are learnt a block of lines at a time; the blocks must split
// exactly where the lines do, whatever the lines hold.
TEST(SjisOffsetMap, BlocksOfManyLinesAgreeLineByLine) {
    std::mt19937 random(5);
    for (const bool broken : {false, true}) {
        std::string text = RandomText(random, 8000, broken);
        const CUtf8TextLines lines(text);
        CSjisOffsetMap map(lines);
        std::size_t sjisStart = 0;
        for (std::size_t line = 0; line < lines.LineCount(); line += 97) {
            const std::size_t start = lines.LineStart(line);
            if (start < text.size() && IsContinuation(text[start])) continue;  // a stray byte, see above
            ASSERT_EQ(map.SjisOffset(start), SjisOffsetFromUtf8(text, start)) << line;
        }
        CSjisOffsetMap reverse(lines);
        for (std::size_t line = 0; line + 1 < lines.LineCount(); ++line) {
            sjisStart += Utf8ToCp932(lines.LineText(line)).size();
            ASSERT_EQ(reverse.Utf8Position(sjisStart), lines.LineStart(line + 1)) << line;
        }
        EXPECT_EQ(map.SjisOffset(text.size()), Utf8ToCp932(text).size());
    }
}

// An edit replaces the text; the map is told the first changed line and
// must then answer as a fresh map over the new text.
TEST(SjisOffsetMap, AnswersForTheNewTextAfterAnEditInvalidatesFromItsLine) {
    std::mt19937 random(99);
    for (int round = 0; round < 100; ++round) {
        std::string text = RandomText(random, 40, false);
        auto lines = std::make_unique<CUtf8TextLines>(text);
        CUtf8TextLines* current = lines.get();
        // The map reads through a forwarding view so the text can change under it.
        struct CForward final : CUtf8Lines {
            CUtf8TextLines** target;
            std::size_t LineCount() const override { return (*target)->LineCount(); }
            std::size_t LineStart(std::size_t line) const override { return (*target)->LineStart(line); }
            std::size_t LineOfPosition(std::size_t p) const override { return (*target)->LineOfPosition(p); }
            std::string LineText(std::size_t line) const override { return (*target)->LineText(line); }
            std::string Text(std::size_t start, std::size_t end) const override { return (*target)->Text(start, end); }
        } forward;
        forward.target = &current;
        CSjisOffsetMap map(forward);
        map.SjisOffset(text.size());  // every line start known

        std::size_t at = random() % (text.size() + 1);
        while (at > 0 && at < text.size() && IsContinuation(text[at])) --at;
        const std::size_t changedLine = current->LineOfPosition(at);
        std::string edited = text.substr(0, at) + RandomText(random, 5, false) + text.substr(at);
        auto newLines = std::make_unique<CUtf8TextLines>(edited);
        current = newLines.get();
        map.InvalidateFrom(changedLine);
        for (std::size_t position = 0; position <= edited.size(); ++position) {
            ASSERT_EQ(map.SjisOffset(position), SjisOffsetFromUtf8(edited, position)) << round << " " << position;
        }
    }
}

}  // namespace
}  // namespace kelmio
