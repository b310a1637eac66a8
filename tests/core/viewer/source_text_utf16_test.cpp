// The source pane's side of a UTF-16 file without a byte-order mark and of
// a Ctrl-Z: the text shown as it is, an edit saved in the file's own form
// without a question, and a file that only looks like UTF-16 never saved.

#include <gtest/gtest.h>

#include <string>

#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/iconv_convert.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "viewer/source_text.h"

namespace kelmio {
namespace {

using namespace std::string_literals;
using test::Sj;

class PaneSource : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        test::WriteFileBytes(m_dir.File("source.txt"), bytes);
        return FromNativePath(m_dir.File("source.txt"));
    }
    std::string Read() { return test::ReadFileBytes(m_dir.File("source.txt")); }
    static std::string Utf16Le(const std::string& utf8) { return test::IconvConvert("UTF-16LE", "UTF-8", utf8).value_or(""); }

    // The file as the pane streams it in.
    PaneStreamResult Show(const std::string& path, std::string& utf8) {
        const PaneLoadTarget target{[](std::size_t) {}, [&utf8](std::string_view piece) { utf8.append(piece); }};
        return StreamTextForPane(m_prompter, path, 1 << 20, target);
    }

    test::TempDir m_dir;
    test::CScriptedPrompter m_prompter;
};

TEST_F(PaneSource, Utf16WithoutMarkIsShownAndAnEditIsSavedInTheSameForm) {
    const std::string path = Write(Utf16Le("原文の一行目\r\nsecond\r\n"));
    std::string shown;
    const PaneStreamResult result = Show(path, shown);
    ASSERT_EQ(result.outcome, PaneLoadOutcome::kShown);
    EXPECT_EQ(result.kind.encoding, TextEncoding::kUtf16Le);
    EXPECT_EQ(shown, "原文の一行目\r\nsecond\r\n");
    // 한 has no Shift-JIS form, yet UTF-16 holds it: nothing to ask.
    ASSERT_TRUE(SaveSourceText(m_prompter, path, "原文の一行目 한\r\nsecond\r\n", result.kind));
    EXPECT_EQ(Read(), Utf16Le("原文の一行目 한\r\nsecond\r\n"));
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(PaneSource, FileThatOnlyLooksLikeUtf16IsShownButNeverSaved) {
    const std::string bytes = Utf16Le("text\r\nwith a NUL unit: ") + "\0\0"s + Utf16Le("\r\nand more\r\n");
    const std::string path = Write(bytes);
    std::string shown;
    const PaneStreamResult result = Show(path, shown);
    ASSERT_EQ(result.outcome, PaneLoadOutcome::kShown);
    EXPECT_EQ(result.kind.encoding, TextEncoding::kUtf16LeUnsure);
    EXPECT_EQ(shown, "text\r\nwith a NUL unit: "s + '\0' + "\r\nand more\r\n");

    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(SaveSourceText(m_prompter, path, shown, result.kind));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, ReadOnlySourceMessage());
    EXPECT_EQ(ReadOnlySourceMessage(),
              Sj("このファイルは文字コードを判別できないため、読み取り専用で表示しています。\n保存はできません。"));
    EXPECT_EQ(Read(), bytes);
}

TEST_F(PaneSource, ControlZIsShownAsTheControlCharacterAndSavedBack) {
    const std::string euc = "\xB4\xC1\xBB\xFA\n\x1A tail\n";
    const std::string path = Write(euc);
    std::string shown;
    const PaneStreamResult result = Show(path, shown);
    EXPECT_EQ(result.kind.encoding, TextEncoding::kEucJp);
    EXPECT_EQ(shown, "漢字\r\n\x1A tail\r\n");
    ASSERT_TRUE(SaveSourceText(m_prompter, path, shown, result.kind));
    EXPECT_EQ(Read(), euc);
}

}  // namespace
}  // namespace kelmio
