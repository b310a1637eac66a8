// A converted source is saved while it is converted, a piece at a time.
// The file must hold exactly the bytes of the whole-text conversion, also
// where a piece ends inside JIS kanji mode, after a lone lead byte, or in
// a run of CRs; and a save that cannot be written keeps the old file.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <sys/stat.h>

#include "encoding/text_source.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// Shift-JIS text of about `size` bytes made of hostile pieces.
std::string HostileSjis(std::mt19937& random, std::size_t size) {
    static const std::string_view pieces[] = {
        "\x93\xFA\x96\x7B", "\xB1\xB2", "abc ", "\r\n", "\r", "\n", "\x81", "\xF0\x40", "\x81\x7F",
        std::string_view("\0", 1), "\x1B$B", "\xEF\x40", "\x82\xA0\x82\xA2\x82\xA4",
    };
    std::string text;
    while (text.size() < size) text += pieces[random() % std::size(pieces)];
    return text;
}

TEST(StreamedSaveTest, FileHoldsExactlyTheWholeConversionAcrossPieces) {
    const TempDir dir;
    const std::string path = dir.File("big.txt");
    std::mt19937 random(7);
    const std::string text = HostileSjis(random, (std::size_t{5} << 20) / 2);
    for (const TextEncoding encoding : {TextEncoding::kJis, TextEncoding::kEucJp, TextEncoding::kShiftJis}) {
        for (const LineEnd lineEnd : {LineEnd::kCrLf, LineEnd::kLf, LineEnd::kCr, LineEnd::kNone}) {
            const TextSourceKind kind{encoding, lineEnd};
            if (!LoadsByConversion(kind)) continue;
            std::size_t expectedUnmapped = 0;
            const std::string expected = FormatConvertedText(text, kind, &expectedUnmapped);
            const TextSaveResult saved = SaveTextSource(path, SjisSourceText{text}, kind);
            ASSERT_FALSE(saved.error);
            EXPECT_EQ(saved.unmapped, expectedUnmapped);
            ASSERT_EQ(ReadFileBytes(path), expected) << static_cast<int>(encoding) << " " << static_cast<int>(lineEnd);
        }
    }
}

TEST(StreamedSaveTest, PiecesJoinToTheWholeConversion) {
    std::mt19937 random(11);
    const std::string text = HostileSjis(random, 3u << 20);
    const TextSourceKind kind{TextEncoding::kJis, LineEnd::kLf};
    std::string joined;
    std::size_t pieces = 0;
    FormatConvertedTextInPieces(text, kind, [&](std::string_view piece) {
        joined.append(piece);
        ++pieces;
        return true;
    });
    EXPECT_GT(pieces, 1u);
    EXPECT_EQ(joined, FormatConvertedText(text, kind));

    // A sink that fails is not called again.
    std::size_t calls = 0;
    FormatConvertedTextInPieces(text, kind, [&](std::string_view) { return ++calls, false; });
    EXPECT_EQ(calls, 1u);
}

// Text read in blocks of any size (cutting CR LF, pairs and JIS state at
// every place) saves to the bytes of the whole text's conversion.
TEST(StreamedSaveTest, TextReadInBlocksSavesAsTheWholeText) {
    const TempDir dir;
    const std::string path = dir.File("read.txt");
    std::mt19937 random(5);
    for (int round = 0; round < 40; ++round) {
        const std::string text = round == 0 ? std::string() : HostileSjis(random, random() % 3000);
        const std::size_t block = round % 2 == 0 ? 1 + random() % 5 : 1 + random() % 400;
        const TextSourceKind kind{round % 3 == 0 ? TextEncoding::kJis : TextEncoding::kEucJp,
                                  static_cast<LineEnd>(static_cast<int>(random() % 4) - 1)};
        std::size_t given = 0;
        const TextSaveResult saved = SaveConvertedTextFrom(path, kind, [&](char* buffer, std::size_t size) {
            const std::size_t n = std::min({size, block, text.size() - given});
            std::copy_n(text.data() + given, n, buffer);
            given += n;
            return n;
        });
        ASSERT_FALSE(saved.error);
        std::size_t unmapped = 0;
        ASSERT_EQ(ReadFileBytes(path), FormatConvertedText(text, kind, &unmapped)) << round;
        EXPECT_EQ(saved.unmapped, unmapped);
    }
}

TEST(StreamedSaveTest, FailedSaveKeepsTheOldFile) {
    const TempDir dir;
    const std::string path = dir.File("old.txt");
    WriteFileBytes(path, "old contents\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    std::mt19937 random(3);
    const TextSaveResult saved =
        SaveTextSource(path, SjisSourceText{HostileSjis(random, 2u << 20)}, {TextEncoding::kEucJp, LineEnd::kCrLf});
    EXPECT_TRUE(saved.error);
    EXPECT_EQ(ReadFileBytes(path), "old contents\r\n");
}

}  // namespace
}  // namespace kelmio
