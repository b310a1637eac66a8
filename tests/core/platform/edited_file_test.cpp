#include "platform/edited_file.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

#include "platform/file_stamp.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

// Gives the file the same modification time as `like`.
void CopyModificationTime(const std::string& path, const std::string& like) {
    struct stat info {};
    ASSERT_EQ(::stat(like.c_str(), &info), 0);
    const timespec times[2] = {info.st_atim, info.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class EditedFileTest : public ::testing::Test {
protected:
    EditedFileTest() { WriteFileBytes(path, "first"); }

    TempDir dir;
    std::string path = dir.File("text.txt");
    CScriptedPrompter prompter;
    CEditedFile file;
    bool holdsText = true;
    int textChecks = 0;
    std::function<bool()> HoldsText() {
        return [this] {
            ++textChecks;
            return holdsText;
        };
    }
};

// Size, time and which file it is each tell a change; the same bytes
// written by a program that replaces the file (same size, time put back)
// are another file all the same.
TEST_F(EditedFileTest, StampTellsSizeTimeAndIdentity) {
    const CFileStamp read = TakeFileStamp(path);
    EXPECT_TRUE(read.bExists);
    EXPECT_EQ(read.nSize, 5u);
    EXPECT_EQ(TakeFileStamp(path), read);

    const std::string replacement = dir.File("text.txt.new");
    WriteFileBytes(replacement, "first");
    CopyModificationTime(replacement, path);
    ASSERT_EQ(std::rename(replacement.c_str(), path.c_str()), 0);
    const CFileStamp replaced = TakeFileStamp(path);
    EXPECT_EQ(replaced.nSize, read.nSize);
    EXPECT_EQ(replaced.nModifiedNs, read.nModifiedNs);
    EXPECT_NE(replaced, read);

    WriteFileBytes(path, "second");
    EXPECT_NE(TakeFileStamp(path), replaced);

    EXPECT_FALSE(TakeFileStamp(dir.File("none.txt")).bExists);
    EXPECT_FALSE(TakeFileStamp(CFilePath()).bExists);
}

TEST_F(EditedFileTest, SaveOverAnOutsideChangeIsAskedAbout) {
    file.Take(path);
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kWrite);
    EXPECT_TRUE(prompter.Messages().empty());

    WriteFileBytes(path, "changed elsewhere");
    prompter.ExpectMessage(Answer::kYes);
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kWrite);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text,
              path + Sj(" は他のプログラムで変更されています。\n\n上書き保存しますか？\n"
                        "［はい］で上書き保存し、［いいえ］でファイルを読み直します(編集した内容は失われます)。"
                        "［ｷｬﾝｾﾙ］では保存しません。"));
    EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::kYesNoCancel);
    EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::kExclamation);

    prompter.ExpectMessage(Answer::kNo);
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kReload);
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kCancel);

    // Asking changes nothing: the file written or read again is taken anew.
    file.Take(path);
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kWrite);
    EXPECT_EQ(prompter.Messages().size(), 3u);
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(EditedFileTest, SavesThatOverwriteNothingOfOthersAreNotAsked) {
    // Nothing watched yet, and a file other than the watched one (a
    // chooser asked about that one).
    WriteFileBytes(path, "changed");
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kWrite);
    file.Take(path);
    WriteFileBytes(dir.File("other.txt"), "x");
    EXPECT_EQ(file.BeforeSave(prompter, dir.File("other.txt")), SaveOverChoice::kWrite);

    // Deleted elsewhere: the save makes it again.
    std::remove(path.c_str());
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kWrite);

    // After Forget nothing is watched.
    file.Forget();
    EXPECT_FALSE(file.IsWatching());
    WriteFileBytes(path, "back");
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kWrite);
    EXPECT_TRUE(prompter.Messages().empty());
}

// A file that did not exist when the text was shown, made by another
// program before the first save, is another program's work too.
TEST_F(EditedFileTest, FileMadeElsewhereBeforeTheFirstSaveIsAskedAbout) {
    const std::string fresh = dir.File("fresh.txt");
    file.Take(fresh);
    EXPECT_TRUE(file.IsWatching());
    EXPECT_EQ(file.BeforeSave(prompter, fresh), SaveOverChoice::kWrite);
    WriteFileBytes(fresh, "made elsewhere");
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_EQ(file.BeforeSave(prompter, fresh), SaveOverChoice::kCancel);
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(EditedFileTest, FocusReturnReloadsOnlyAnUnchangedText) {
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kNothing);  // nothing watched
    file.Take(path);
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kNothing);

    WriteFileBytes(path, "changed elsewhere");
    // Unsaved changes stay; the save will ask.
    EXPECT_EQ(file.OnFocusReturn(prompter, true, HoldsText()), ReturnAction::kNothing);
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kReload);
    file.Take(path);  // the caller read it again
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kNothing);
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(textChecks, 0);
}

// The text of a file deleted elsewhere is kept and becomes unsaved work;
// the user is told once, and a save then makes the file again unasked.
TEST_F(EditedFileTest, FocusReturnKeepsTheTextOfADeletedFile) {
    file.Take(path);
    std::remove(path.c_str());
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kKeepText);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text,
              path + Sj(" は他のプログラムで削除されています。\n"
                        "表示中のテキストは残してあります。保存するとファイルを作り直します。"));
    EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::kOk);

    EXPECT_EQ(file.OnFocusReturn(prompter, true, HoldsText()), ReturnAction::kNothing);
    EXPECT_EQ(file.BeforeSave(prompter, path), SaveOverChoice::kWrite);
    EXPECT_EQ(prompter.Messages().size(), 1u);

    // Made again elsewhere, it is a change like any other.
    WriteFileBytes(path, "again");
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kReload);
}

TEST_F(EditedFileTest, AnEmptyTextOfADeletedFileIsNotWorthATelling) {
    file.Take(path);
    std::remove(path.c_str());
    holdsText = false;
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kNothing);
    EXPECT_EQ(textChecks, 1);
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(file.OnFocusReturn(prompter, false, HoldsText()), ReturnAction::kNothing);
    EXPECT_EQ(textChecks, 1);
}

}  // namespace
}  // namespace kelmio
