#include <gtest/gtest.h>

#include <filesystem>

#include "dictd/dict_data.h"
#include "dictd/dictd_index.h"
#include "dictd/dictd_shelf.h"
#include "dictd/dictionary_folders.h"
#include "dictbridge/dictzip_writer.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio::dictd {
namespace {

using namespace kelmio::test;

TEST(DictdIndexTest, DecodesDictdBase64Numbers) {
    EXPECT_EQ(DecodeNumber("A"), 0u);
    EXPECT_EQ(DecodeNumber("B"), 1u);
    EXPECT_EQ(DecodeNumber("BA"), 64u);
    EXPECT_EQ(DecodeNumber("Dz/u"), ((3u * 64 + 51) * 64 + 63) * 64 + 46);
    EXPECT_FALSE(DecodeNumber(""));
    EXPECT_FALSE(DecodeNumber("A=B"));
    EXPECT_FALSE(DecodeNumber("///////////"));  // past 60 bits
    for (std::uint64_t value : {0ull, 63ull, 64ull, 123456789ull}) EXPECT_EQ(DecodeNumber(DictdNumber(value)), value);
}

TEST(DictdIndexTest, FindsEveryEntryOfAHeadwordAndSkipsDamagedLines) {
    const CDictdIndex index(
        "zebra\tA\tB\r\n"
        "cat\tC\tD\n"
        "no tabs here\n"
        "bad\tdigit!\tB\n"
        "\t\t\n"
        "two words\tE\tF\n"
        "cat\tG\tH\n"
        "trailing\tI");  // no length: skipped
    EXPECT_EQ(index.Size(), 4u);
    EXPECT_EQ(index.SkippedLines(), 4u);
    const auto cats = index.Find("cat");
    ASSERT_EQ(cats.size(), 2u);
    EXPECT_EQ(cats[0].offset, 2u);
    EXPECT_EQ(cats[1].offset, 6u);
    EXPECT_EQ(index.Find("two words").size(), 1u);
    EXPECT_EQ(index.Find("zebra").at(0).length, 1u);
    EXPECT_TRUE(index.Find("Cat").empty());
    EXPECT_TRUE(index.Find("ca").empty());

    // Short indexes moved around (as a list of databases grows) keep
    // finding their headwords.
    std::vector<CDictdIndex> indexes;
    for (int i = 0; i < 20; ++i) indexes.emplace_back(std::string("x\tA\tB\n"));
    for (const CDictdIndex& moved : indexes) EXPECT_EQ(moved.Find("x").size(), 1u);
}

class DictDataTest : public ::testing::Test {
protected:
    std::string text;
    TempDir dir;

    void SetUp() override {
        for (int i = 0; i < 3000; ++i) text += "entry " + std::to_string(i) + " 猫ねこ\n";
    }
};

TEST_F(DictDataTest, ReadsRangesFromPlainAndDictzipFilesAcrossChunks) {
    WriteFileBytes(dir.File("a.dict"), text);
    WriteFileBytes(dir.File("a.dict.dz"), Dictzip(text, 1000));
    for (const char* name : {"a.dict", "a.dict.dz"}) {
        SCOPED_TRACE(name);
        auto opened = CDictData::Open(dir.File(name));
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<CDictData>>(opened));
        const CDictData& data = *std::get<std::unique_ptr<CDictData>>(opened);
        for (auto [offset, length] : std::vector<std::pair<std::uint64_t, std::uint64_t>>{
                 {0, 10}, {995, 10}, {1000, 1000}, {2500, 4000}, {text.size() - 5, 5}, {7, 0}}) {
            auto read = data.Read(offset, length);
            ASSERT_TRUE(std::holds_alternative<std::string>(read)) << offset;
            EXPECT_EQ(std::get<std::string>(read), text.substr(offset, length)) << offset;
        }
        EXPECT_TRUE(std::holds_alternative<DataError>(data.Read(text.size() - 5, 10)));
        EXPECT_TRUE(std::holds_alternative<DataError>(data.Read(~0ull - 3, 5)));
        EXPECT_TRUE(std::holds_alternative<DataError>(data.Read(0, kMaxEntryLength + 1)));
    }
}

TEST_F(DictDataTest, DamagedDictzipFilesAreReportedNotTrusted) {
    const std::string good = Dictzip(text, 1000);
    EXPECT_TRUE(std::holds_alternative<DataError>(ParseDictzipHeader("")));
    EXPECT_TRUE(std::holds_alternative<DataError>(ParseDictzipHeader(good.substr(0, 20))));
    std::string noExtra = good;
    noExtra[3] = 0;
    EXPECT_TRUE(std::holds_alternative<DataError>(ParseDictzipHeader(noExtra)));

    // Chunks that claim more bytes than the file has.
    std::string tooLong = good;
    tooLong[22] = '\xFF';
    tooLong[23] = '\xFF';
    WriteFileBytes(dir.File("long.dict.dz"), tooLong.substr(0, 400));
    EXPECT_TRUE(std::holds_alternative<DataError>(CDictData::Open(dir.File("long.dict.dz"))));

    // A chunk whose bytes are garbage.
    std::string garbage = good;
    const std::size_t dataStart = std::get<DictzipLayout>(ParseDictzipHeader(good)).dataStart;
    for (std::size_t i = dataStart; i < dataStart + 100; ++i) garbage[i] = static_cast<char>(i * 7);
    WriteFileBytes(dir.File("garbage.dict.dz"), garbage);
    auto opened = CDictData::Open(dir.File("garbage.dict.dz"));
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<CDictData>>(opened));
    auto read = std::get<std::unique_ptr<CDictData>>(opened)->Read(0, 100);
    if (auto* plain = std::get_if<std::string>(&read)) {
        EXPECT_NE(*plain, text.substr(0, 100));
    }
    EXPECT_TRUE(std::holds_alternative<DataError>(CDictData::Open(dir.File("missing.dict"))));
}

TEST_F(DictDataTest, ShelfServesEveryDatabaseAndKeepsGoingPastDamagedOnes) {
    const auto first = MakeDictdDatabase({{"cat", "cat\n  neko\n"}, {"dog", "dog\n  inu\n"}, {"cat", "cat\n  feline\n"}});
    WriteFileBytes(dir.File("a-first.index"), first.index);
    WriteFileBytes(dir.File("a-first.dict.dz"), Dictzip(first.text, 8));
    const auto second = MakeDictdDatabase({{"cat", "cat\n  kitty\n"}});
    WriteFileBytes(dir.File("b-second.index"), second.index + "cat\tA\tB\ncat\tA\tB\nghost\tZZZZ\tB\n");
    WriteFileBytes(dir.File("b-second.dict"), second.text);
    WriteFileBytes(dir.File("c-orphan.index"), "cat\tA\tB\n");  // no text beside it
    WriteFileBytes(dir.File("d-broken.index"), "cat\tA\tB\n");
    WriteFileBytes(dir.File("d-broken.dict.dz"), "not gzip");

    CDictdShelf shelf({dir.Path().string(), dir.File("missing-folder")});
    EXPECT_FALSE(shelf.IsLoaded());
    shelf.Load();
    EXPECT_EQ(shelf.DatabaseCount(), 2u);
    EXPECT_EQ(shelf.LoadProblems().size(), 1u);
    const LookupResult cat = shelf.Lookup("cat");
    EXPECT_EQ(cat.definitions,
              (std::vector<std::string>{"cat\n  neko\n", "cat\n  feline\n", "cat\n  kitty\n", "c"}));
    EXPECT_TRUE(cat.problems.empty());
    const LookupResult ghost = shelf.Lookup("ghost");
    EXPECT_TRUE(ghost.definitions.empty());
    EXPECT_EQ(ghost.problems.size(), 1u);
    EXPECT_TRUE(shelf.Lookup("").definitions.empty());
}

TEST(DictionaryFoldersTest, SystemFolderAndTheUsersOwn) {
    EXPECT_EQ(DictionaryFolders(""), std::vector<std::string>{"/usr/share/dictd"});
    EXPECT_EQ(DictionaryFolders("[Dictionary]\nDictdFolder=/home/me/dicts\n"),
              (std::vector<std::string>{"/usr/share/dictd", "/home/me/dicts"}));
    EXPECT_EQ(DictionaryServer("").host, "");
    const DictServer server = DictionaryServer("[Dictionary]\nDictServer=localhost:2700\n");
    EXPECT_EQ(server.host, "localhost");
    EXPECT_EQ(server.port, "2700");
}

TEST(InstalledFreedictTest, EnglishAndJapaneseHeadwordsAreFound) {
    if (!std::filesystem::exists("/usr/share/dictd/freedict-eng-jpn.index")) {
        GTEST_SKIP() << "dict-freedict-eng-jpn is not installed";
    }
    CDictdShelf shelf({"/usr/share/dictd"});
    shelf.Load();
    const LookupResult cat = shelf.Lookup("cat");
    ASSERT_FALSE(cat.definitions.empty());
    EXPECT_NE(cat.definitions[0].find("猫"), std::string::npos);
    EXPECT_FALSE(shelf.Lookup("猫").definitions.empty());
}

}  // namespace
}  // namespace kelmio::dictd
