// A converted source passed on while it is read, a block at a time, must
// give exactly the text the whole-file load gives: JIS kanji mode open
// across a block's end, CR LF and CR CR LF cut between blocks, CR-only
// files, a Ctrl-Z (data, read on past) in the second block, NUL and lone lead bytes.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "encoding/text_source.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::TempDir;
using test::WriteFileBytes;

std::string Streamed(const std::string& path, LoadedTextSource& result) {
    std::string text;
    result = LoadTextSourceInPieces(path, [&text](std::string_view piece) {
        text.append(piece);
        return true;
    });
    return text;
}

std::string Whole(const std::string& path) {
    const LoadedTextSource source = LoadTextSource(path);
    return std::visit([](const auto& text) { return text.bytes; }, source.text);
}

std::string HostileFile(std::mt19937& random, std::size_t size, std::string_view lineEnd, bool jis) {
    static const std::string_view euc[] = {"\xC6\xFC\xCB\xDC", "\x8E\xB1", "\x8F\xB0\xA1", "abc ", "\xA4",
                                           std::string_view("\0", 1), "\x81"};
    static const std::string_view iso[] = {"\x1B$B", "\x46\x7C\x4B\x5C", "\x1B(B", "\x1B(I", "\x31\x32", "\x0E",
                                           "\x0F", "abc ", "\x1B$"};
    std::string text = jis ? "\x1B$B\x46\x7C" : "\xC6\xFC";
    while (text.size() < size) {
        text += jis ? iso[random() % std::size(iso)] : euc[random() % std::size(euc)];
        if (random() % 9 == 0) text += lineEnd;
    }
    return text;
}

TEST(StreamedLoadTest, PiecesJoinToTheWholeLoad) {
    const TempDir dir;
    const std::string path = dir.File("source.txt");
    std::mt19937 random(21);
    int round = 0;
    for (const std::string_view lineEnd : {"\r\n", "\n", "\r", "\r\r\n"}) {
        for (const bool jis : {true, false}) {
            std::string bytes = HostileFile(random, (std::size_t{5} << 20) / 2, lineEnd, jis);
            if (round++ % 3 == 0) bytes.insert(bytes.size() * 3 / 4, "\x1A and the bytes after it");
            WriteFileBytes(path, bytes);
            LoadedTextSource streamed;
            const std::string text = Streamed(path, streamed);
            const LoadedTextSource whole = LoadTextSource(path);
            ASSERT_EQ(streamed.status, TextLoadStatus::kLoaded);
            EXPECT_EQ(streamed.kind.encoding, whole.kind.encoding);
            EXPECT_EQ(streamed.kind.lineEnd, whole.kind.lineEnd);
            EXPECT_EQ(streamed.converted, whole.converted);
            ASSERT_EQ(text, Whole(path)) << "line end " << lineEnd.size() << (jis ? " JIS" : " EUC");
        }
    }
}

TEST(StreamedLoadTest, MissingFileAndUnconvertedFiles) {
    const TempDir dir;
    LoadedTextSource result;
    EXPECT_EQ(Streamed(dir.File("missing.txt"), result), "");
    EXPECT_EQ(result.status, TextLoadStatus::kNotFound);

    const std::string path = dir.File("plain.txt");
    for (const std::string& bytes : {std::string("\x93\xFA\x96\x7B\r\n"), std::string("\xE6\x97\xA5\n"), std::string()}) {
        WriteFileBytes(path, bytes);
        EXPECT_EQ(Streamed(path, result), Whole(path));
        EXPECT_EQ(result.status, TextLoadStatus::kLoaded);
    }
}

}  // namespace
}  // namespace kelmio
