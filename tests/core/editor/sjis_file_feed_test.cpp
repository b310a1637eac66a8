// The translation file read block by block against Cp932ToUtf8 of its
// whole bytes, on Japanese text and on bytes chosen to sit at block edges.
#include "editor/sjis_file_feed.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

using test::TempDir;
using test::WriteFileBytes;

struct Fed {
    SjisFeedResult result;
    std::vector<std::size_t> begins;  // the sizes `begin` was told
    std::string text;
    bool appendBeforeBegin = false;
};

Fed Feed(const std::string& path, std::size_t chunk, std::size_t block) {
    Fed fed;
    fed.result = FeedSjisFileAsUtf8(path, chunk,
                                    {[&fed](std::size_t size) { fed.begins.push_back(size); },
                                     [&fed](std::string_view utf8) {
                                         fed.appendBeforeBegin = fed.appendBeforeBegin || fed.begins.empty();
                                         fed.text.append(utf8);
                                     }},
                                    block);
    return fed;
}

std::vector<std::string> Texts() {
    std::mt19937 random(2);
    std::vector<std::string> texts = {"", "a", "\x82", "a\x82", "\x82\xA0\x82", Utf8ToCp932("訳文の一行目\r\nﾃｷｽﾄ①\r\n")};
    std::string japanese;
    for (int i = 0; i < 300; ++i) japanese += texts.back();
    texts.push_back(japanese);
    const std::string awkward = "\x81\x82\x9F\xE0\xFC\xFD\x40\x7F\x80\xA0\xDF\x0A\x0D" "a";
    for (int i = 0; i < 20; ++i) {
        std::string bytes(1 + random() % 3000, '\0');
        for (char& byte : bytes) byte = i % 2 == 0 ? static_cast<char>(random()) : awkward[random() % awkward.size()];
        texts.push_back(bytes);
    }
    texts.push_back(std::string(5000, '\x82'));  // lead bytes only
    return texts;
}

TEST(SjisFileFeedTest, GivesTheWholeConversionWhereverBlocksAndPiecesEnd) {
    TempDir dir;
    const std::string path = dir.File("text.txt");
    for (const std::string& bytes : Texts()) {
        WriteFileBytes(path, bytes);
        for (const std::size_t block : {1u, 2u, 3u, 7u, 64u, 1u << 20}) {
            for (const std::size_t chunk : {1u, 5u, 1000u}) {
                const Fed fed = Feed(path, chunk, block);
                ASSERT_FALSE(fed.result.error);
                EXPECT_TRUE(fed.result.bStarted);
                ASSERT_EQ(fed.text, Cp932ToUtf8(bytes)) << bytes.size() << " bytes, block " << block;
                ASSERT_EQ(fed.begins, std::vector<std::size_t>{Cp932ToUtf8SizeEstimate(bytes)});
                EXPECT_FALSE(fed.appendBeforeBegin);
            }
        }
    }
}

TEST(SjisFileFeedTest, FilesThatCannotBeReadAreRefusedBeforeAnythingGoesOut) {
    TempDir dir;
    const Fed missing = Feed(dir.File("missing.txt"), 1000, 64);
    ASSERT_TRUE(missing.result.error);
    EXPECT_EQ(missing.result.error->cause, FileErrorCause::kNotFound);
    EXPECT_FALSE(missing.result.bStarted);

    const Fed folder = Feed(dir.Path(), 1000, 64);
    ASSERT_TRUE(folder.result.error);
    EXPECT_FALSE(folder.result.bStarted);

    // A sparse file claiming more than a text may hold is never read.
    const std::string huge = dir.File("huge.txt");
    WriteFileBytes(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kLargestTextFile + 1)), 0);
    const Fed tooLarge = Feed(huge, 1000, 1 << 20);
    ASSERT_TRUE(tooLarge.result.error);
    EXPECT_EQ(tooLarge.result.error->cause, ReadWholeFile(huge).error->cause);
    EXPECT_FALSE(tooLarge.result.bStarted);
    EXPECT_TRUE(tooLarge.text.empty());
}

}  // namespace
}  // namespace kelmio
