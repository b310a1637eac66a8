#include "recovery/recovery_source.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <ctime>

#include <filesystem>

#include "platform/file_io.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "recovery/recovery_keeper.h"
#include "recovery/recovery_writer.h"
#include "support/fake_panes.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

constexpr int kShiftJis = 0;
constexpr int kEucJp = 2;
constexpr int kUtf8 = 6;
constexpr int kUtf16Le = 8;
constexpr int kCrLf = 0;
constexpr int kLf = 1;

SourceTextEdit Edit(const std::string& path, int encoding, int lineEnd, const char* utf8) {
    return SourceTextEdit{path, encoding, lineEnd, utf8};
}

TEST(RecoverySourceFormTest, JapaneseSourcesAreKeptAsShiftJisAndUnicodeOnesAsTheyAre) {
    // "表" ends in 0x5C, the byte a careless scan takes for a backslash.
    const SourceTextEdit japanese = Edit("/s/a.txt", kEucJp, kCrLf, "表の原文\r\n二行目");
    const RecoverySource kept = RecoverySourceFromEdit(japanese);
    EXPECT_EQ(kept.m_strText, Sj("表の原文\r\n二行目"));
    EXPECT_EQ(kept.m_nEncoding, kEucJp);
    EXPECT_EQ(EditFromRecoverySource(kept), japanese);

    // Hangul and an emoji have no Shift-JIS form; converting would lose them.
    const SourceTextEdit unicode = Edit("/s/u.txt", kUtf8, kLf, "한국어 😀\n");
    EXPECT_EQ(RecoverySourceFromEdit(unicode).m_strText, unicode.strTextUtf8);
    EXPECT_EQ(EditFromRecoverySource(RecoverySourceFromEdit(unicode)), unicode);
}

TEST(RecoverySourceFormTest, FileBytesAreThoseOfTheSourceInItsOwnEncoding) {
    RecoverySource euc{"/s/a.txt", kEucJp, kLf, Sj("あ\r\nい")};
    EXPECT_EQ(RecoverySourceFileBytes(euc), "\xA4\xA2\n\xA4\xA4\n");

    RecoverySource utf16{"/s/u.txt", kUtf16Le, kCrLf, "A\r\n"};
    EXPECT_EQ(RecoverySourceFileBytes(utf16), std::string("\xFF\xFE" "A\0\r\0\n\0", 8));

    // A number no encoding has (a damaged entry): the bytes as they are.
    RecoverySource odd{"/s/x.txt", 99, 42, Sj("そのまま\n")};
    EXPECT_EQ(RecoverySourceFileBytes(odd), Sj("そのまま\n"));
}

TEST(RecoverySourceFormTest, SetAsideFileIsNamedAfterTheSourceAndTheCopyTime) {
    ScopedEnv zone("TZ", "UTC");
    ::tzset();
    constexpr std::int64_t kNoon = 1796644800000;  // 2026-12-07 12:00:00 UTC
    EXPECT_EQ(SetAsidePath("/r", Sj("/home/u/表.txt"), kNoon), Sj("/r/表-recovered-20261207-120000.txt"));
    EXPECT_EQ(SetAsidePath("/r", "/home/u.d/readme", kNoon), "/r/readme-recovered-20261207-120000");
    EXPECT_EQ(SetAsidePath("/r", "/home/u/.profile", kNoon), "/r/.profile-recovered-20261207-120000");
    EXPECT_EQ(SetAsidePath("/r", "/home/u/", kNoon), "/r/source-recovered-20261207-120000");
}

class ApplySourceRecoveryTest : public ::testing::Test {
protected:
    ApplySourceRecoveryTest() {
        doc.AttachViews(&source, nullptr, nullptr);
        doc.m_data.SetSource(Sj("/work/原文.txt"));
        source.shownPath = Sj("/work/原文.txt");
        entry.m_nCopyTime = 1796644800000;
        entry.m_source = RecoverySource{Sj("/work/原文.txt"), kShiftJis, kCrLf, Sj("直した原文\r\n")};
    }

    std::string Folder() const { return dir.File("recovery"); }
    SourceRecoveryOutcome Apply() { return ApplySourceRecovery(doc, entry, Folder(), prompter); }

    TempDir dir;
    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    CKelmioDoc doc{settings, prompter, app};
    FakeSourcePane source;
    CRecoveryEntry entry;
};

TEST_F(ApplySourceRecoveryTest, TheEditGoesBackIntoThePaneWhenItsSourceIsShownAsText) {
    EXPECT_EQ(Apply(), SourceRecoveryOutcome::kRestored);
    ASSERT_TRUE(source.edit);
    EXPECT_EQ(source.edit->strTextUtf8, "直した原文\r\n");
    EXPECT_EQ(source.edit->strPath, Sj("/work/原文.txt"));
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_FALSE(std::filesystem::exists(Folder()));

    entry.m_source.reset();
    EXPECT_EQ(Apply(), SourceRecoveryOutcome::kNone);
}

// A source named without a Shift-JIS form goes back into its own pane, and
// one whose name only looks the same on screen ("?") does not.
TEST_F(ApplySourceRecoveryTest, ASourceNamedWithoutAShiftJisFormIsMatchedByItsOwnBytes) {
    const CFilePath real = CFilePath::FromNative("/work/\xe9t\xc3\xa9.txt");  // a raw byte, then "é"
    entry.m_source->m_strPath = real;
    doc.m_data.SetSource(CFilePath("/work/?t?.txt"));
    source.shownPath = CFilePath("/work/?t?.txt");
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(Apply(), SourceRecoveryOutcome::kSetAside);
    EXPECT_FALSE(source.edit);

    doc.m_data.SetSource(real);
    source.shownPath = real;
    EXPECT_EQ(Apply(), SourceRecoveryOutcome::kRestored);
    ASSERT_TRUE(source.edit);
    EXPECT_EQ(source.edit->strPath, real);
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(ApplySourceRecoveryTest, AnotherSourceOrOneNotShownAsTextGetsTheEditSetAsideAndTheUserTold) {
    doc.m_data.SetSource(Sj("/work/別の原文.txt"));
    source.shownPath = Sj("/work/別の原文.txt");
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(Apply(), SourceRecoveryOutcome::kSetAside);
    EXPECT_FALSE(source.edit);  // the project's own source is left alone
    const CFilePath aside = SetAsidePath(Folder(), entry.m_source->m_strPath, entry.m_nCopyTime);
    EXPECT_EQ(ReadFileBytes(aside.Native()), Sj("直した原文\r\n"));
    ASSERT_EQ(prompter.Messages().size(), 1u);
    const std::string& told = prompter.Messages()[0].text;
    EXPECT_NE(told.find(Sj("/work/原文.txt")), std::string::npos);
    EXPECT_NE(told.find(Sj("プロジェクトのソースが控えのときと違う")), std::string::npos);
    EXPECT_NE(told.find(aside.Display()), std::string::npos);

    // The same source, but shown in the browser (or missing): kept aside too.
    doc.m_data.SetSource(Sj("/work/原文.txt"));
    source.shownPath = Sj("/work/原文.txt");
    source.showsText = false;
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(Apply(), SourceRecoveryOutcome::kSetAside);
    EXPECT_NE(prompter.Messages()[1].text.find(Sj("テキストとして表示できない")), std::string::npos);
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(ApplySourceRecoveryTest, WhenTheEditCannotBeSetAsideTheUserIsToldAndTheEntryIsToStay) {
    WriteFileBytes(dir.File("recovery"), "a file where the folder would be");
    source.showsText = false;
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(Apply(), SourceRecoveryOutcome::kNotKept);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_NE(prompter.Messages()[0].text.find(Sj("控えは書き換えずに残してあります")), std::string::npos);
}

// The edit set aside is the user's work like the entry: for the owner's
// eyes only, also in a folder an older Kelmio left open.
TEST_F(ApplySourceRecoveryTest, AnEditSetAsideIsReadableByItsOwnerAlone) {
    const mode_t oldMask = ::umask(022);
    std::filesystem::create_directories(Folder());
    ::chmod(Folder().c_str(), 0755);
    source.showsText = false;
    prompter.ExpectMessage(Answer::kOk);
    const SourceRecoveryOutcome outcome = Apply();
    ::umask(oldMask);
    ASSERT_EQ(outcome, SourceRecoveryOutcome::kSetAside);
    struct stat folder {};
    struct stat aside {};
    ASSERT_EQ(::stat(Folder().c_str(), &folder), 0);
    ASSERT_EQ(::stat(SetAsidePath(Folder(), entry.m_source->m_strPath, entry.m_nCopyTime).Native().c_str(), &aside), 0);
    EXPECT_EQ(folder.st_mode & 07777, 0700u);
    EXPECT_EQ(aside.st_mode & 07777, 0600u);
}

TEST(RecoverySnapshotTest, TheWriterConvertsTheSourceEditAndHandsTheTextStorageBack) {
    RecoverySnapshot snapshot;
    snapshot.entry.m_strProject = "/p.kmp";
    snapshot.strEditTextUtf8 = "訳文";
    snapshot.sourceEdit = Edit("/s.txt", kShiftJis, kCrLf, "原文");
    const CRecoveryEntry entry = EntryFromSnapshot(snapshot);
    EXPECT_EQ(entry.m_strEditText, Sj("訳文"));
    ASSERT_TRUE(entry.m_source);
    EXPECT_EQ(entry.m_source->m_strText, Sj("原文"));

    TempDir dir;
    CRecoveryWriter writer(CRecoveryStore(dir.File("recovery")));
    EXPECT_TRUE(writer.TakeSpareText().empty());
    snapshot.strEditTextUtf8.assign(100000, 'x');
    writer.Write(std::move(snapshot));
    writer.Flush();
    const std::optional<CRecoveryEntry> written = writer.Store().Load("/p.kmp");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->m_strEditText, std::string(100000, 'x'));
    EXPECT_EQ(written->m_source, entry.m_source);
    // The next copy reuses the storage of the one written: emptied, not freed.
    const std::string spare = writer.TakeSpareText();
    EXPECT_TRUE(spare.empty());
    EXPECT_GE(spare.capacity(), 100000u);
    EXPECT_EQ(writer.TakeSpareText().capacity(), std::string().capacity());

    // Storage made ready beforehand, with room for some typing.
    writer.PrepareSpareText(300000);
    writer.Flush();
    const std::string prepared = writer.TakeSpareText();
    EXPECT_TRUE(prepared.empty());
    EXPECT_GE(prepared.capacity(), 300000u + 300000u / 8);
}

TEST(ApplyRecoveryTest, TheSelectedMemoIsShownAgain) {
    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    CKelmioDoc doc(settings, prompter, app);
    FakeMemoPane memo;
    doc.AttachViews(nullptr, nullptr, &memo);
    CRecoveryEntry entry;
    entry.m_arrMemo = {{"a", "1"}, {"b", "2"}};
    entry.m_nSelectedMemo = 1;
    ApplyRecovery(doc, entry);
    EXPECT_EQ(memo.SelectedMemo(), 1);

    // None selected: the pane shows what listing the memos shows.
    memo.selected.clear();
    entry.m_nSelectedMemo = -1;
    ApplyRecovery(doc, entry);
    EXPECT_TRUE(memo.selected.empty());
}

}  // namespace
}  // namespace kelmio
