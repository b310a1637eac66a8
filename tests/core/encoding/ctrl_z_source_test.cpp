// A Ctrl-Z (0x1A) in a text source is a byte of the file like any other.
// Read the way the C library's text mode reads, it would end the input: the
// rest of the file would be neither shown nor kept, and the next save would
// cut the file short there. Every way a source is loaded keeps it and what
// follows it, and a save gives the file back byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "encoding/text_source.h"
#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

std::string TextOf(const LoadedTextSource& source) {
    return std::visit([](const auto& text) { return text.bytes; }, source.text);
}

struct Case {
    const char* name;
    std::string bytes;  // the file
    std::string text;   // the text the pane holds, Shift-JIS
};

// One file of each kind that goes through the line-by-line conversion.
std::vector<Case> ConvertedFiles() {
    return {
        {"euc", "\xB4\xC1\xBB\xFA\r\n\x1A" "after\r\n\xB4\xC1\r\n", Sj("漢字") + "\r\n\x1A" "after\r\n" + Sj("漢") + "\r\n"},
        {"jis", "\x1B$B4A;z\x1B(B\x1A tail\n\x1B$B4A\x1B(B\n", Sj("漢字") + "\x1A tail\r\n" + Sj("漢") + "\r\n"},
        {"cr-only", "one\r\x1Atwo\rthree\x1A\r", "one\r\n\x1Atwo\r\nthree\x1A\r\n"},
    };
}

TEST(CtrlZInSource, ConvertedTextKeepsItAndEverythingAfterIt) {
    for (const Case& file : ConvertedFiles()) {
        const LoadedTextSource source = LoadTextSourceBytes(file.bytes);
        ASSERT_TRUE(source.converted) << file.name;
        EXPECT_EQ(TextOf(source), file.text) << file.name;
        EXPECT_EQ(FormatConvertedText(TextOf(source), source.kind), file.bytes) << file.name;
    }
}

class CtrlZSourceFile : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        test::WriteFileBytes(m_dir.File("source.txt"), bytes);
        return FromNativePath(m_dir.File("source.txt"));
    }
    std::string Streamed(const std::string& path) {
        std::string text;
        const LoadedTextSource result = LoadTextSourceInPieces(path, [&text](std::string_view piece) {
            text.append(piece);
            return true;
        });
        EXPECT_EQ(result.status, TextLoadStatus::kLoaded);
        return text;
    }

    test::TempDir m_dir;
};

TEST_F(CtrlZSourceFile, EveryLoadKeepsItAndASaveGivesTheFileBack) {
    std::vector<Case> files = ConvertedFiles();
    files.push_back({"sjis", Sj("原文\r\n") + "\x1A" + Sj("続き\r\n"), Sj("原文\r\n") + "\x1A" + Sj("続き\r\n")});
    for (const Case& file : files) {
        const std::string path = Write(file.bytes);
        EXPECT_EQ(Streamed(path), file.text) << file.name;
        const LoadedTextSource source = LoadTextSource(path);
        ASSERT_EQ(source.status, TextLoadStatus::kLoaded) << file.name;
        EXPECT_EQ(TextOf(source), file.text) << file.name;
        EXPECT_FALSE(SaveTextSource(path, source.text, source.kind).error) << file.name;
        EXPECT_EQ(test::ReadFileBytes(ToNativePath(path)), file.bytes) << file.name;
    }
}

TEST_F(CtrlZSourceFile, StreamedLoadReadsOnPastAControlZInALaterBlock) {
    // Past the streamed reader's 1 MiB block, in a line cut by the block's end.
    std::string euc = "\xB4\xC1\xBB\xFA\n";
    while (euc.size() < (std::size_t{1} << 20) - 3) euc += "abc \xB4\xC1\n";
    euc += "line with \x1A in it\n";
    euc += "\xB4\xC1 the end\n";
    const std::string path = Write(euc);
    const std::string text = Streamed(path);
    EXPECT_EQ(text, TextOf(LoadTextSource(path)));
    EXPECT_NE(text.find("line with \x1A in it\r\n" + Sj("漢") + " the end\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kelmio
