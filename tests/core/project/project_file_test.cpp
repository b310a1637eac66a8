#include "project/project_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;
using test::TempDir;

std::string Dword(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::string Bytes(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }

std::string ReadGolden(const std::string& name) {
    return test::ReadFileBytes(std::string(KELMIO_TEST_DATA_DIR) + "/project/" + name);
}

// The stream of an empty project up to (not including) the display state.
std::string EmptyHead() {
    return Dword(100) + Bytes({0, 0}) + Dword(0) + Dword(0) + Bytes({0, 0}) + Dword(0) + Dword(0);
}

// What tests/data/project/sample.kmp holds.
void FillSample(CKelmioData& data) {
    data.m_strSrcFile = Sj("C:\\訳\\原稿.txt");
    data.m_strEditFile = Sj("C:\\訳\\訳文.txt");
    data.m_nReserved = 7;
    data.m_nDicKind = 2;
    data.m_strDicPath = "/usr/bin/dic";
    data.m_strDicParam = "-w %s";
    data.AppendMemo({Sj("表現"), Sj("ソース\r\n二行目")});
    data.AppendMemo({"", ""});
    data.m_arrSrcHistory = {data.m_strSrcFile, "http://example.com/"};
    data.m_pos = CKelmioPosData{10, -20, 1, 0, 1, 20, 30, 0, 1, 1234, 56};
}

// A record that is not empty, to show that a failed read clears it.
void FillSomething(CKelmioData& data) {
    data.m_strSrcFile = "/left/over";
    data.AppendMemo({"old", "memo"});
    data.m_pos.m_nScrollY = 5;
}

TEST(ProjectFile, EmptyProjectIs72Bytes) {
    const std::string expected = EmptyHead() + Dword(101) + std::string(44, '\0');
    ASSERT_EQ(expected.size(), 72u);
    EXPECT_EQ(WriteProject(CKelmioData()), expected);
    EXPECT_EQ(ReadGolden("empty.kmp"), expected);

    CKelmioData data;
    FillSomething(data);
    EXPECT_EQ(ReadProject(expected, data), kPosDataVersion);
    EXPECT_EQ(data, CKelmioData());
}

TEST(ProjectFile, GoldenSampleReadsAndWritesByteForByte) {
    const std::string golden = ReadGolden("sample.kmp");
    ASSERT_FALSE(golden.empty());
    CKelmioData expected;
    FillSample(expected);

    CKelmioData read;
    EXPECT_EQ(ReadProject(golden, read), kPosDataVersion);
    EXPECT_EQ(read, expected);
    EXPECT_EQ(WriteProject(expected), golden);
}

TEST(ProjectFile, StringLengthsUseTheShortestForm) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CKelmioData data;
        data.m_strSrcFile = std::string(c.length, 'x');
        const std::string bytes = WriteProject(data);
        EXPECT_EQ(bytes.substr(4, c.prefix.size()), c.prefix);
        EXPECT_EQ(bytes.size(), 72 + c.prefix.size() - 1 + c.length);

        CKelmioData read;
        ASSERT_TRUE(ReadProject(bytes, read));
        EXPECT_EQ(read, data);
    }
}

TEST(ProjectFile, ExtremeValuesRoundTripAndWritingIsRepeatable) {
    CKelmioData data;
    FillSample(data);
    data.m_nReserved = INT32_MIN;
    data.m_nDicKind = 99;  // no range check either way
    data.m_arrSrcHistory.push_back(Sj("/表/ソ"));  // trail bytes 0x5C
    data.m_pos.m_nEditTopLine = INT32_MAX;

    const std::string first = WriteProject(data);
    CKelmioData read;
    ASSERT_TRUE(ReadProject(first, read));
    EXPECT_EQ(read, data);
    EXPECT_EQ(WriteProject(read), first);
}

TEST(ProjectFile, DisplayStateVersion100HasNoTopLine) {
    std::string state;
    for (std::int32_t value = 1; value <= 10; ++value) state += Dword(static_cast<std::uint32_t>(value));
    // The bytes after a version-100 state look like a top line but are not read.
    const std::string bytes = EmptyHead() + Dword(100) + state + Dword(77);

    CKelmioData data;
    EXPECT_EQ(ReadProject(bytes, data), kPosDataVersionWithoutTopLine);
    EXPECT_EQ(data.m_pos, (CKelmioPosData{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}));

    // Without anything after it the 44-byte state is complete.
    EXPECT_EQ(ReadProject(bytes.substr(0, bytes.size() - 4), data), kPosDataVersionWithoutTopLine);
    EXPECT_EQ(data.m_pos.m_nEditCaret, 10);
}

TEST(ProjectFile, VersionsAreNotRejectedAndTrailingBytesAreIgnored) {
    CKelmioData sample;
    FillSample(sample);
    std::string bytes = WriteProject(sample);
    bytes.replace(0, 4, Dword(7));              // record version
    bytes.replace(0x41, 4, Dword(0xFFFFFFFF));  // first memo's version
    ASSERT_EQ(bytes.substr(0x86, 4), Dword(101));
    bytes.replace(0x86, 4, Dword(5000));  // a later display state reads as 101
    bytes += "trailing garbage";

    CKelmioData read;
    EXPECT_EQ(ReadProject(bytes, read), 5000u);
    EXPECT_EQ(read, sample);
}

TEST(ProjectFile, WideStringsAreConvertedToShiftJis) {
    const std::u16string text = u"日本語のテキスト";
    std::string utf16;
    for (const char16_t unit : text) {
        utf16.push_back(static_cast<char>(unit & 0xFF));
        utf16.push_back(static_cast<char>(unit >> 8));
    }
    const std::string wideSource = Bytes({0xFF, 0xFE, 0xFF, static_cast<unsigned char>(text.size())}) + utf16;
    const std::string tail = Bytes({0}) + Dword(0) + Dword(0) + Bytes({0, 0}) + Dword(0) + Dword(0) + Dword(101) +
                             std::string(44, '\0');

    CKelmioData data;
    ASSERT_TRUE(ReadProject(Dword(100) + wideSource + tail, data));
    EXPECT_EQ(data.m_strSrcFile, Sj("日本語のテキスト"));

    // A file name with no Shift-JIS form is kept whole; other texts get "?".
    ASSERT_TRUE(ReadProject(Dword(100) + Bytes({0xFF, 0xFE, 0xFF, 2, 'a', 0, 0xE9, 0x00}) + tail, data));
    EXPECT_EQ(data.m_strSrcFile.Native(), "a\xC3\xA9");
    const std::string wideDictionary = Dword(100) + Bytes({0, 0}) + Dword(0) + Dword(0) +
                                       Bytes({0xFF, 0xFE, 0xFF, 2, 'a', 0, 0xE9, 0x00}) + tail.substr(1);
    ASSERT_TRUE(ReadProject(wideDictionary, data));
    EXPECT_EQ(data.m_strDicPath, "a?");
}

// A name with a Shift-JIS form is written in Shift-JIS as always; one
// without is written in the wide form and read back as the same bytes.
TEST(ProjectFile, FileNamesWithoutAShiftJisFormUseTheWideForm) {
    CKelmioData data;
    data.m_strEditFile = Sj("/訳/表.txt");
    const std::string sjisName = Sj("/訳/表.txt");
    const std::string narrow = WriteProject(data);
    EXPECT_EQ(narrow, Dword(100) + Bytes({0, static_cast<unsigned char>(sjisName.size())}) + sjisName +
                          WriteProject(CKelmioData()).substr(6));

    data.m_strEditFile = CFilePath::FromNative("/d/ü.txt");
    data.m_strSrcFile = CFilePath::FromNative("/d/\xFF.png");
    data.m_arrSrcHistory = {data.m_strSrcFile, CFilePath::FromNative("/d/\xF0\x9F\x98\x80.html"), sjisName};
    const std::string bytes = WriteProject(data);
    const std::string wideEdit = Bytes({0xFF, 0xFE, 0xFF, 8, '/', 0, 'd', 0, '/', 0, 0xFC, 0, '.', 0, 't', 0, 'x', 0,
                                        't', 0});
    const std::string wideSource = Bytes({0xFF, 0xFE, 0xFF, 8, '/', 0, 'd', 0, '/', 0, 0xFF, 0xDC, '.', 0, 'p', 0,
                                          'n', 0, 'g', 0});
    EXPECT_EQ(bytes.substr(4, wideSource.size() + wideEdit.size()), wideSource + wideEdit);

    CKelmioData read;
    ASSERT_TRUE(ReadProject(bytes, read));
    EXPECT_EQ(read, data);
    EXPECT_EQ(read.m_strSrcFile.Native(), "/d/\xFF.png");
    EXPECT_EQ(read.m_arrSrcHistory[1].Native(), "/d/\xF0\x9F\x98\x80.html");
    EXPECT_EQ(WriteProject(read), bytes);
}

TEST(ProjectFile, BadStreamsFailAndLeaveTheRecordCleared) {
    CKelmioData sample;
    FillSample(sample);
    const std::string whole = WriteProject(sample);
    const std::string wideTooLong = Dword(100) + Bytes({0xFF, 0xFE, 0xFF, 4, 'a', 0, 'b', 0, 'c', 0});
    const std::string lengthPastEnd = Dword(100) + Bytes({0xFF, 0xFF, 0xFF}) + Dword(0xFFFFFFF0) + "abc";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"one byte", "d"},
        {"memo count 1, nothing after", EmptyHead().substr(0, 22) + Dword(1)},
        {"memo count 2 past the end", EmptyHead().substr(0, 22) + Dword(2) + Dword(100) + Bytes({0, 0})},
        {"memo count 0xFFFFFFFF", EmptyHead().substr(0, 22) + Dword(0xFFFFFFFF) + std::string(100, '\0')},
        {"history count past the end", EmptyHead().substr(0, 26) + Dword(3) + Bytes({0, 0})},
        {"string length past the end", lengthPastEnd},
        {"wide string past the end", wideTooLong},
        {"state cut short", whole.substr(0, whole.size() - 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CKelmioData data;
        FillSomething(data);
        EXPECT_FALSE(ReadProject(c.bytes, data));
        EXPECT_EQ(data, CKelmioData());
    }
}

TEST(ProjectFile, EveryTruncationFails) {
    CKelmioData sample;
    FillSample(sample);
    const std::string whole = WriteProject(sample);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        CKelmioData data;
        ASSERT_FALSE(ReadProject(std::string_view(whole).substr(0, size), data)) << size;
        ASSERT_EQ(data, CKelmioData());
    }
}

// Bytes after the record are ignored, but a project file of hundreds of
// megabytes is not a project: refused with the format message, unread.
TEST(ProjectFile, HugeFileIsRefusedWithTheFormatMessage) {
    TempDir dir;
    const std::string path = dir.File("huge.kmp");
    CKelmioData sample;
    FillSample(sample);
    ASSERT_FALSE(SaveProjectFile(path, sample));
    std::filesystem::resize_file(path, std::uintmax_t{512} << 20);  // sparse
    CKelmioData data;
    const ProjectLoadResult loaded = LoadProjectFile(path, data);
    EXPECT_EQ(loaded.status, ProjectLoadStatus::kBadFormat);
    EXPECT_EQ(loaded.message, Sj("予期しないﾌｧｲﾙ形式です。"));
}

TEST(ProjectFile, LoadAndSaveFiles) {
    TempDir dir;
    const std::string path = FromNativePath(dir.File("プロジェクト.kmp"));
    CKelmioData sample;
    FillSample(sample);
    ASSERT_FALSE(SaveProjectFile(path, sample));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "プロジェクト.kmp"));

    CKelmioData data;
    ProjectLoadResult loaded = LoadProjectFile(path, data);
    EXPECT_TRUE(loaded.ok());
    EXPECT_EQ(data, sample);

    // Zero-length: the empty project, no message.
    std::ofstream(dir.File("empty.kmp")).close();
    loaded = LoadProjectFile(FromNativePath(dir.File("empty.kmp")), data);
    EXPECT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(data, CKelmioData());

    // Not a project: cleared, with the format message.
    std::ofstream(dir.File("note.txt")) << "hello";
    FillSomething(data);
    loaded = LoadProjectFile(FromNativePath(dir.File("note.txt")), data);
    EXPECT_EQ(loaded.status, ProjectLoadStatus::kBadFormat);
    EXPECT_EQ(loaded.message, Sj("予期しないﾌｧｲﾙ形式です。"));
    EXPECT_EQ(data, CKelmioData());

    // Missing: the open record is untouched.
    FillSample(data);
    const std::string missing = FromNativePath(dir.File("missing.kmp"));
    loaded = LoadProjectFile(missing, data);
    EXPECT_EQ(loaded.status, ProjectLoadStatus::kFileError);
    EXPECT_EQ(loaded.message, missing + Sj(" が見つかりませんでした。"));
    EXPECT_EQ(data.m_strSrcFile, sample.m_strSrcFile);

    const std::string noFolder = FromNativePath(dir.File("no/such/folder.kmp"));
    EXPECT_EQ(SaveProjectFile(noFolder, sample), noFolder + Sj(" が見つかりませんでした。"));
}

}  // namespace
}  // namespace kelmio
