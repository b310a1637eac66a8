// An RTF source on its way to the pane tells the user what went wrong as a
// plain-text source does: one message for one cause. A file too large for
// the pane is a sparse file here, which costs no disk and is refused by its
// size before a byte of it is read.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "viewer/rtf_file.h"
#include "viewer/source_text.h"

namespace kelmio {
namespace {

using test::Sj;

// A file of `size` bytes that holds no data on disk.
std::string SparseFile(const test::TempDir& dir, const std::string& name, std::uintmax_t size) {
    const std::string path = dir.File(name);
    test::WriteFileBytes(path, "");
    std::filesystem::resize_file(path, size);
    return FromNativePath(path);
}

TEST(RtfSourceForPane, TooLargeGetsTheMessageOfATooLargePlainText) {
    const test::TempDir dir;
    const std::uintmax_t size = kLargestTextFile + 1;
    test::CScriptedPrompter textPrompter;
    textPrompter.ExpectMessage(Answer::kOk);
    const PaneTextSource text = LoadTextForPane(textPrompter, SparseFile(dir, "huge.txt", size));
    test::CScriptedPrompter rtfPrompter;
    rtfPrompter.ExpectMessage(Answer::kOk);
    const PaneRtfSource rtf = LoadRtfForPane(rtfPrompter, SparseFile(dir, "huge.rtf", size));

    EXPECT_EQ(text.outcome, PaneLoadOutcome::kToBrowser);
    EXPECT_EQ(rtf.outcome, PaneLoadOutcome::kToBrowser);
    ASSERT_EQ(rtfPrompter.Messages().size(), 1u);
    ASSERT_EQ(textPrompter.Messages().size(), 1u);
    EXPECT_EQ(rtfPrompter.Messages()[0].text, textPrompter.Messages()[0].text);
    EXPECT_EQ(rtfPrompter.Messages()[0].text,
              Sj("メモリ不足のため、十分な編集領域が確保できませんでした。\nブラウザモードに移行します"));
    EXPECT_EQ(rtfPrompter.Messages()[0].icon, textPrompter.Messages()[0].icon);
}

TEST(RtfSourceForPane, MissingFileIsNotFoundAndAReadableOneIsShown) {
    const test::TempDir dir;
    test::CScriptedPrompter prompter;
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(LoadRtfForPane(prompter, FromNativePath(dir.File("none.rtf"))).outcome, PaneLoadOutcome::kNotFound);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("ファイルが見つかりません"));

    test::WriteFileBytes(dir.File("a.rtf"), "{\\rtf1\\ansi abc\\par}");
    const PaneRtfSource shown = LoadRtfForPane(prompter, FromNativePath(dir.File("a.rtf")));
    EXPECT_EQ(shown.outcome, PaneLoadOutcome::kShown);
    EXPECT_TRUE(shown.read.ok());
    EXPECT_EQ(prompter.Messages().size(), 1u);  // nothing more to say
}

}  // namespace
}  // namespace kelmio
