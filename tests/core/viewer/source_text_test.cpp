#include "viewer/source_text.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "encoding/unicode_source.h"
#include "platform/file_io.h"
#include "platform/settings.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

using test::Sj;

class SourceTextFile : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        test::WriteFileBytes(m_dir.File(name), bytes);
        return FromNativePath(m_dir.File(name));
    }
    std::string Read(const std::string& name) { return test::ReadFileBytes(m_dir.File(name)); }

    // The text as the pane shows it, in one string.
    static std::string PaneText(const PaneTextSource& source) {
        std::string utf8;
        ForEachPaneChunk(source.text, 7, [&utf8](std::string_view piece) { utf8.append(piece); });
        return utf8;
    }

    test::TempDir m_dir;
    test::CScriptedPrompter m_prompter;
};

TEST_F(SourceTextFile, EucFileIsShownEditedAndSavedInEucWithItsLineEnds) {
    // "日本語" in EUC-JP, LF line ends.
    const std::string path = Write("e.txt", "\xC6\xFC\xCB\xDC\xB8\xEC\nabc\n");
    const PaneTextSource source = LoadTextForPane(m_prompter, path);
    ASSERT_EQ(source.outcome, PaneLoadOutcome::kShown);
    EXPECT_EQ(PaneText(source), "日本語\r\nabc\r\n");
    ASSERT_TRUE(SaveSourceText(m_prompter, path, "日本語\r\nabcd\r\n", source.kind));
    EXPECT_EQ(Read("e.txt"), "\xC6\xFC\xCB\xDC\xB8\xEC\nabcd\n");
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(SourceTextFile, JisLineSavesBackToTheSameBytes) {
    const std::string jis = "\x1B$B\x46\x7C\x4B\x5C\x1B(Babc";
    const std::string path = Write("j.txt", jis + "\r\n");
    const PaneTextSource source = LoadTextForPane(m_prompter, path);
    EXPECT_EQ(PaneText(source), "日本abc\r\n");
    ASSERT_TRUE(SaveSourceText(m_prompter, path, PaneText(source), source.kind));
    EXPECT_EQ(Read("j.txt"), jis + "\r\n");
}

TEST_F(SourceTextFile, ShiftJisChunksAreNeverCutInsideACharacter) {
    const std::string text = Sj("あいうえおかきくけこ\r\n");
    const std::string path = Write("s.txt", text);
    const PaneTextSource source = LoadTextForPane(m_prompter, path);
    for (std::size_t chunk : {1u, 3u, 5u, 7u}) {
        std::string utf8;
        ForEachPaneChunk(source.text, chunk, [&utf8](std::string_view piece) { utf8.append(piece); });
        EXPECT_EQ(utf8, "あいうえおかきくけこ\r\n") << chunk;
    }
}

TEST_F(SourceTextFile, RoomReservedForThePaneIsTheTextsSize) {
    for (const std::string& bytes : {Sj("あいうｱ漢字\r\n"), std::string("\xEF\xBB\xBF" "한국어 日本\n")}) {
        const PaneTextSource source = LoadTextForPane(m_prompter, Write("r.txt", bytes));
        EXPECT_EQ(PaneTextSizeEstimate(source.text), PaneText(source).size());
    }
}

TEST_F(SourceTextFile, UnicodeSourceStaysUtf8) {
    const std::string path = Write("u.txt", "\xEF\xBB\xBF" "한국어 日本\n");
    const PaneTextSource source = LoadTextForPane(m_prompter, path);
    EXPECT_TRUE(HoldsUtf8(source.kind));
    EXPECT_EQ(PaneText(source), "한국어 日本\r\n");
    ASSERT_TRUE(SaveSourceText(m_prompter, path, "한국어 日本語\r\n", source.kind));
    EXPECT_EQ(Read("u.txt"), "\xEF\xBB\xBF" "한국어 日本語\n");
}

TEST_F(SourceTextFile, MissingFileShowsNotFoundAndKeepsThePane) {
    m_prompter.ExpectMessage(Answer::kOk);
    const PaneTextSource source = LoadTextForPane(m_prompter, FromNativePath(m_dir.File("none.txt")));
    EXPECT_EQ(source.outcome, PaneLoadOutcome::kNotFound);
    EXPECT_EQ(m_prompter.Messages().at(0).text, Sj("ファイルが見つかりません"));
}

TEST_F(SourceTextFile, CharactersTheFileCannotHoldAreAskedAboutFirst) {
    const std::string path = Write("s.txt", Sj("日本\r\n"));
    const PaneTextSource source = LoadTextForPane(m_prompter, path);
    m_prompter.ExpectMessage(Answer::kNo);
    EXPECT_FALSE(SaveSourceText(m_prompter, path, "日本한\r\n", source.kind));
    EXPECT_EQ(Read("s.txt"), Sj("日本\r\n"));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].buttons, MessageButtons::kYesNo);
    EXPECT_NE(m_prompter.Messages()[0].text.find("1"), std::string::npos);
    EXPECT_EQ(CountUnsavable("日本한\r\n", source.kind), 1u);

    m_prompter.ExpectMessage(Answer::kYes);
    EXPECT_TRUE(SaveSourceText(m_prompter, path, "日本한\r\n", source.kind));
    EXPECT_EQ(Read("s.txt"), Sj("日本?\r\n"));
}

TEST_F(SourceTextFile, FailedSaveKeepsTheOldFileAndSaysWhy) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    const std::string path = Write("s.txt", "old\r\n");
    const PaneTextSource source = LoadTextForPane(m_prompter, path);
    ::chmod(m_dir.Path().c_str(), 0500);  // no new file can be made beside it
    m_prompter.ExpectMessage(Answer::kOk);
    const bool saved = SaveSourceText(m_prompter, path, "new\r\n", source.kind);
    ::chmod(m_dir.Path().c_str(), 0700);
    EXPECT_FALSE(saved);
    EXPECT_EQ(Read("s.txt"), "old\r\n");
    EXPECT_EQ(m_prompter.Messages().at(0).text, FileErrorMessage({FileErrorCause::kAccessDenied, path}));
}

TEST(QuerySaveSourceText, AsksUnlessSaveIsZero) {
    CMemorySettings settings;
    test::CScriptedPrompter prompter;
    prompter.ExpectMessage(Answer::kYes);
    prompter.ExpectMessage(Answer::kNo);
    EXPECT_TRUE(QuerySaveSourceText(settings, prompter));
    EXPECT_FALSE(QuerySaveSourceText(settings, prompter));
    EXPECT_EQ(prompter.Messages().at(0).text, Sj("変更されています。保存しますか？"));
    EXPECT_EQ(prompter.Messages().at(0).buttons, MessageButtons::kYesNo);
    EXPECT_EQ(prompter.Messages().at(0).icon, MessageIcon::kQuestion);

    settings.WriteInt("System", "Save", 0);
    EXPECT_TRUE(QuerySaveSourceText(settings, prompter));
    EXPECT_EQ(prompter.Messages().size(), 2u);
    // After a save that did not happen the question is asked whatever the setting.
    prompter.ExpectMessage(Answer::kNo);
    EXPECT_FALSE(AskSaveSourceText(prompter));
    ASSERT_EQ(prompter.Messages().size(), 3u);
    EXPECT_EQ(prompter.Messages().at(2).text, Sj("変更されています。保存しますか？"));
}

}  // namespace
}  // namespace kelmio
