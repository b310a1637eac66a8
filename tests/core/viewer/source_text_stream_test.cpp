// The source pane's streamed load against the whole-text load: the same
// kind, text and messages for every encoding, on hostile bytes placed
// across the reader's block boundaries and cut at every position.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "text/cp932.h"
#include "viewer/source_text.h"

namespace kelmio {
namespace {

constexpr std::size_t kReadBlock = std::size_t{1} << 20;  // the reader's block

// Bytes that stress every decoder: escapes, lone lead and prefix bytes,
// line ends of each kind, NUL, Ctrl-Z.
std::string Hostile(std::mt19937& random, std::size_t length) {
    static const std::string_view pieces[] = {
        "\x1B$B", "\x1B(B", "\x1B(J", "\x1B(I", "\x1B$", "\x1B", "\x0E", "\x0F", "\x8E", "\x8F",
        "\x82\xA0", "\x88\x9F", "\xF0\x40", "\x81", "\xFC", "\xA4\xA2", "\xB0\xA1", "\x8E\xB1",
        "$B", "!!", std::string_view("\0", 1), "\r", "\n", "\r\n", "abc", "\x7F", "\x80", "\xFF",
    };
    std::string bytes;
    while (bytes.size() < length) {
        if (random() % 4 == 0) {
            bytes += static_cast<char>(random() % 256);
        } else {
            bytes += pieces[random() % std::size(pieces)];
        }
    }
    return bytes;
}

struct Source {
    const char* name;
    std::string head;  // makes the detection certain
    LineEnd lineEnd;
    TextEncoding encoding;  // as detected
};

// A clear start for each kind the pane loads, and the line end that fills it.
std::vector<Source> Sources() {
    return {
        {"euc", "\xA4\xA2\xA4\xA4\xB4\xC1\xBB\xFA\n", LineEnd::kLf, TextEncoding::kEucJp},
        {"euc-crlf", "\xA4\xA2\xA4\xA4\xB4\xC1\xBB\xFA\r\n", LineEnd::kCrLf, TextEncoding::kEucJp},
        {"jis", "\x1B$B$\"$$4A;z\x1B(B\r\n", LineEnd::kCrLf, TextEncoding::kJis},
        {"sjis", "\x82\xA0\x82\xA2\x8A\xBF\x8E\x9A\r\n", LineEnd::kCrLf, TextEncoding::kShiftJis},
        {"sjis-cr", "\x82\xA0\x82\xA2\x8A\xBF\x8E\x9A\r", LineEnd::kCr, TextEncoding::kShiftJis},
        {"utf8", "\xEF\xBB\xBF\xE3\x81\x82\xE6\xBC\xA2\n", LineEnd::kLf, TextEncoding::kUtf8Bom},
        {"utf16", std::string("\xFF\xFE\x42\x30\x22\x6F\r\0\n\0", 10), LineEnd::kCrLf, TextEncoding::kUtf16LeBom},
    };
}

// `head`, then ASCII lines up to `hostileAt`, then hostile bytes, then more lines.
std::string FileAround(const Source& source, std::size_t hostileAt, std::string_view hostile) {
    const std::string_view end = source.lineEnd == LineEnd::kLf ? "\n" : source.lineEnd == LineEnd::kCr ? "\r" : "\r\n";
    std::string bytes = source.head;
    while (bytes.size() + 40 < hostileAt) bytes.append("filler line of plain text").append(end);
    bytes.append(hostileAt - bytes.size(), 'x');
    bytes.append(hostile);
    for (int i = 0; i < 50; ++i) bytes.append("tail").append(end);
    return bytes;
}

class StreamedPaneLoad : public ::testing::Test {
protected:
    struct Loaded {
        PaneLoadOutcome outcome;
        TextSourceKind kind;
        std::string utf8;
        std::vector<test::MessageRecord> messages;
        std::size_t room = 0;
    };

    std::string Write(const std::string& bytes) {
        test::WriteFileBytes(m_dir.File("source.txt"), bytes);
        return FromNativePath(m_dir.File("source.txt"));
    }

    static Loaded Whole(const std::string& path) {
        test::CScriptedPrompter prompter;
        prompter.ExpectMessage(Answer::kOk);  // for a file that is not shown
        PaneTextSource source = LoadTextForPane(prompter, path);
        Loaded loaded{source.outcome, source.kind, {}, prompter.Messages()};
        ForEachPaneChunk(source.text, kReadBlock, [&](std::string_view piece) { loaded.utf8.append(piece); });
        return loaded;
    }

    static Loaded Streamed(const std::string& path, std::size_t chunk) {
        test::CScriptedPrompter prompter;
        prompter.ExpectMessage(Answer::kOk);
        Loaded loaded;
        int begun = 0;
        const PaneLoadTarget target{[&](std::size_t room) {
                                        ++begun;
                                        EXPECT_TRUE(loaded.utf8.empty()) << "room asked for after the text came";
                                        loaded.room = room;
                                    },
                                    [&](std::string_view piece) {
                                        EXPECT_EQ(begun, 1);
                                        // A byte grows to 3 at most; a lead byte may wait for its trail.
                                        EXPECT_LE(piece.size(), 3 * (chunk + 2));
                                        loaded.utf8.append(piece);
                                    }};
        const PaneStreamResult result = StreamTextForPane(prompter, path, chunk, target);
        EXPECT_EQ(result.started, begun == 1);
        loaded.outcome = result.outcome;
        loaded.kind = result.kind;
        loaded.messages = prompter.Messages();
        return loaded;
    }

    static void ExpectSame(const Loaded& whole, const Loaded& streamed, const std::string& what) {
        EXPECT_EQ(whole.outcome, streamed.outcome) << what;
        EXPECT_EQ(whole.kind.encoding, streamed.kind.encoding) << what;
        EXPECT_EQ(whole.kind.lineEnd, streamed.kind.lineEnd) << what;
        EXPECT_TRUE(whole.utf8 == streamed.utf8) << what << ": texts differ, " << whole.utf8.size() << " vs "
                                                 << streamed.utf8.size() << " bytes";
        ASSERT_EQ(whole.messages.size(), streamed.messages.size()) << what;
        for (std::size_t i = 0; i < whole.messages.size(); ++i) EXPECT_EQ(whole.messages[i].text, streamed.messages[i].text);
    }

    test::TempDir m_dir;
};

TEST_F(StreamedPaneLoad, HostileBytesAcrossTheReadBlockGiveTheWholeLoadsText) {
    std::mt19937 random(2026);
    for (const Source& source : Sources()) {
        // The hostile bytes start at each offset around the first block's end.
        for (std::size_t shift = 0; shift < 24; ++shift) {
            const std::string hostile = Hostile(random, 48);
            const std::string path = Write(FileAround(source, kReadBlock - 12 + shift, hostile));
            const Loaded whole = Whole(path);
            ASSERT_EQ(whole.outcome, PaneLoadOutcome::kShown) << source.name;
            EXPECT_EQ(whole.kind.encoding, source.encoding) << source.name;
            EXPECT_EQ(whole.kind.lineEnd, source.lineEnd) << source.name;
            ExpectSame(whole, Streamed(path, 4096), std::string(source.name) + " shift " + std::to_string(shift));
        }
    }
}

TEST_F(StreamedPaneLoad, WholeHostileFilesOfEveryKindLoadAlike) {
    std::mt19937 random(7);
    for (const Source& source : Sources()) {
        for (const std::size_t size : {std::size_t{0}, std::size_t{100}, 3 * kReadBlock + 77}) {
            const std::string path = Write(source.head + Hostile(random, size));
            ExpectSame(Whole(path), Streamed(path, 1000), std::string(source.name) + " " + std::to_string(size));
        }
    }
}

TEST_F(StreamedPaneLoad, RoomReservedHoldsAJapaneseText) {
    std::string euc;
    while (euc.size() < 3 * kReadBlock) euc += "\xA4\xA2\xA4\xA4\xB4\xC1\xBB\xFA abc\n\n";
    const Loaded streamed = Streamed(Write(euc), 1 << 20);
    EXPECT_EQ(streamed.kind.encoding, TextEncoding::kEucJp);
    EXPECT_GE(streamed.room, streamed.utf8.size());
    EXPECT_LE(streamed.room, 2 * euc.size());
}

TEST_F(StreamedPaneLoad, EmptyFileIsShownEmpty) {
    const Loaded streamed = Streamed(Write(""), 4096);
    EXPECT_EQ(streamed.outcome, PaneLoadOutcome::kShown);
    EXPECT_TRUE(streamed.utf8.empty());
    EXPECT_TRUE(streamed.messages.empty());
}

TEST_F(StreamedPaneLoad, MissingAndOversizedFilesGiveTheSameMessagesBeforeAnyText) {
    const std::string missing = FromNativePath(m_dir.File("missing.txt"));
    const Loaded whole = Whole(missing);
    ASSERT_EQ(whole.outcome, PaneLoadOutcome::kNotFound);
    ExpectSame(whole, Streamed(missing, 4096), "missing");

    // A sparse EUC-JP file beyond what a pane holds, refused before it is read.
    {
        const std::string path = Write("\xA4\xA2\xA4\xA4\n");
        ASSERT_EQ(::truncate(m_dir.File("source.txt").c_str(), static_cast<off_t>(kLargestTextFile + 1)), 0);
        const Loaded big = Whole(path);
        ASSERT_EQ(big.outcome, PaneLoadOutcome::kToBrowser);
        ExpectSame(big, Streamed(path, 4096), "oversized");
    }
}

// Shift-JIS pieces cut anywhere, even between a lead and its trail byte,
// come out as the whole text's conversion, in pieces of whole characters.
TEST(PaneUtf8Feed, ShiftJisCutAtEveryPositionConvertsAsTheWhole) {
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        const std::string sjis = Hostile(random, 120);
        const std::string expected = Cp932ToUtf8(sjis);
        for (std::size_t cut = 0; cut <= sjis.size(); ++cut) {
            for (const std::size_t chunk : {std::size_t{4}, std::size_t{5}, std::size_t{64}}) {
                std::string utf8;
                CUtf8PieceFeed feed(chunk, [&utf8](std::string_view piece) { utf8.append(piece); });
                const std::string_view view(sjis);
                feed.Take(view.substr(0, cut));
                feed.Take(view.substr(cut, 1));
                if (cut < sjis.size()) feed.Take(view.substr(cut + 1));
                feed.Finish();
                ASSERT_EQ(utf8, expected) << "cut at " << cut << ", chunk " << chunk;
            }
        }
    }
}

TEST(PaneUtf8Feed, Utf8IsPassedOnWholeCharactersAtATime) {
    const std::string utf8 = "a\xE3\x81\x82\xF0\x9F\x98\x80\xE6\xBC\xA2" "bc\xE3\x81\x84";
    for (const std::size_t chunk : {std::size_t{4}, std::size_t{6}, std::size_t{100}}) {
        std::string joined;
        CUtf8PieceFeed feed(chunk, [&joined](std::string_view piece) {
            ASSERT_FALSE(piece.empty());
            EXPECT_NE(static_cast<unsigned char>(piece[0]) & 0xC0, 0x80) << "piece starts inside a character";
            joined.append(piece);
        });
        feed.SetUtf8(true);
        feed.Take(utf8);
        feed.Finish();
        EXPECT_EQ(joined, utf8);
    }
}

}  // namespace
}  // namespace kelmio
