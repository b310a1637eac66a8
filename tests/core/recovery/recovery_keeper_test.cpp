#include "recovery/recovery_keeper.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>

#include <filesystem>

#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "recovery/process_info.h"
#include "support/fake_panes.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace kelmio::test;
using namespace std::chrono_literals;
using Clock = CRecoverySchedule::Clock;

TEST(RecoveryScheduleTest, CopiesAFewSecondsAfterTypingStopsAndAtLeastEveryThirtySeconds) {
    CRecoverySchedule schedule;
    const Clock::time_point start{};
    EXPECT_FALSE(schedule.IsDue(start + 1h));

    schedule.OnEdit(start);
    EXPECT_FALSE(schedule.IsDue(start + 2s));
    EXPECT_TRUE(schedule.IsDue(start + 3s));
    schedule.OnCopied();
    EXPECT_FALSE(schedule.IsDue(start + 10s));

    // Typing every second never pauses long enough; 30 s after the first
    // change not copied, a copy is due all the same.
    const Clock::time_point typing = start + 1min;
    for (int second = 0; second < 30; ++second) {
        schedule.OnEdit(typing + std::chrono::seconds(second));
        EXPECT_FALSE(schedule.IsDue(typing + std::chrono::seconds(second))) << second;
    }
    schedule.OnEdit(typing + 30s);
    EXPECT_TRUE(schedule.IsDue(typing + 30s));
    EXPECT_EQ(schedule.DueAt(), typing + 30s);
}

// The process table as a test sets it up.
class FakeProcesses final : public CProcessInfo {
public:
    ProcessIdentity self{100, 5000};
    std::vector<ProcessIdentity> running;

    ProcessIdentity Current() const override { return self; }
    bool IsRunning(const ProcessIdentity& process) const override {
        if (process == self) return true;
        return std::find(running.begin(), running.end(), process) != running.end();
    }
};

class RecoveryKeeperTest : public ::testing::Test {
protected:
    RecoveryKeeperTest() {
        WriteFileBytes(project, "project");
        WriteFileBytes(translation, "old text");
        SetFileTime(project, kFilesTime);
        SetFileTime(translation, kFilesTime);
    }

    static void SetFileTime(const std::string& path, std::int64_t ms) {
        const timespec time{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
        const timespec times[2] = {time, time};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }

    // An entry left by a process that has ended, newer than the files.
    CRecoveryEntry Leftover(std::int64_t copyTime = kFilesTime + 60000) const {
        CRecoveryEntry entry;
        entry.m_writer = {77, 1234};
        entry.m_nCopyTime = copyTime;
        entry.m_strProject = project;
        entry.m_strEditText = Sj("復元する訳文\r\n");
        entry.m_nEditCaret = 3;
        entry.m_arrMemo = {{Sj("メモ"), Sj("覚え書き")}};
        return entry;
    }

    std::unique_ptr<CRecoveryKeeper> MakeKeeper() {
        return std::make_unique<CRecoveryKeeper>(store, processes, [this] { return now; });
    }

    std::optional<CRecoveryEntry> Show(CRecoveryKeeper& keeper) {
        return keeper.OnProjectShown(project, {project, translation}, prompter);
    }

    RecoverySnapshot Snapshot(const std::string& text) const {
        RecoverySnapshot snapshot;
        snapshot.strEditTextUtf8 = text;
        return snapshot;
    }

    static constexpr std::int64_t kFilesTime = 1790000000000;
    TempDir dir;
    std::string project = dir.File("job.kmp");
    std::string translation = dir.File("job.txt");
    CRecoveryStore store{dir.File("data/Morva/Kelmio/recovery")};
    FakeProcesses processes;
    CScriptedPrompter prompter;
    std::int64_t now = kFilesTime + 120000;
};

TEST_F(RecoveryKeeperTest, AnEntryLeftByACrashIsOfferedAndRestoredOnRequest) {
    ASSERT_FALSE(store.Save(Leftover()));
    auto keeper = MakeKeeper();
    prompter.ExpectMessage(Answer::kYes);
    const std::optional<CRecoveryEntry> restored = Show(*keeper);
    ASSERT_TRUE(restored);
    EXPECT_EQ(*restored, Leftover());
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::kYesNoCancel);
    EXPECT_NE(prompter.Messages()[0].text.find(project), std::string::npos);

    // The restored work is now unsaved work of this session: a save removes it.
    EXPECT_FALSE(keeper->Tick(Clock::time_point{}, false));
    keeper->Flush();
    EXPECT_FALSE(store.Load(project));
}

TEST_F(RecoveryKeeperTest, DiscardRemovesTheEntryAndCancelKeepsItUntouched) {
    ASSERT_FALSE(store.Save(Leftover()));
    {
        auto keeper = MakeKeeper();
        prompter.ExpectMessage(Answer::kCancel);
        EXPECT_FALSE(Show(*keeper));
        // Kept for later: this session's typing does not write over it.
        keeper->OnEdit(Clock::time_point{});
        EXPECT_FALSE(keeper->Tick(Clock::time_point{} + 1h, true));
        keeper->Copy(Snapshot("new"));
        keeper->OnProjectClosed();
    }
    EXPECT_EQ(store.Load(project), Leftover());

    auto keeper = MakeKeeper();
    prompter.ExpectMessage(Answer::kNo);
    EXPECT_FALSE(Show(*keeper));
    keeper->Flush();
    EXPECT_FALSE(std::filesystem::exists(store.EntryPath(project).Native()));
    EXPECT_TRUE(prompter.ScriptDone());
}

// ｷｬﾝｾﾙ promises to ask again next time: the kept copy is offered at every
// opening, also once the project was saved after it, until the user
// restores or discards it.
TEST_F(RecoveryKeeperTest, AKeptCopyIsOfferedAgainAfterTheProjectWasSaved) {
    ASSERT_FALSE(store.Save(Leftover()));
    {
        auto keeper = MakeKeeper();
        prompter.ExpectMessage(Answer::kCancel);
        EXPECT_FALSE(Show(*keeper));
        // The user works on and saves: the project's files are newer than the copy.
        keeper->OnEdit(Clock::time_point{});
        keeper->OnProjectSaved();
        EXPECT_FALSE(keeper->Tick(Clock::time_point{} + 1h, false));
        keeper->OnProjectClosed();
        keeper->Flush();
        SetFileTime(project, now + 1000);
        SetFileTime(translation, now + 1000);
    }
    EXPECT_EQ(store.Load(project), Leftover());
    for (int opening = 0; opening < 2; ++opening) {
        auto keeper = MakeKeeper();
        prompter.ExpectMessage(Answer::kCancel);
        EXPECT_FALSE(Show(*keeper));
        keeper->OnProjectClosed();
        keeper->Flush();
    }
    EXPECT_EQ(prompter.Messages().size(), 3u);

    // Restored: the work is this session's, and its save ends the copy.
    auto keeper = MakeKeeper();
    prompter.ExpectMessage(Answer::kYes);
    EXPECT_EQ(Show(*keeper), Leftover());
    EXPECT_FALSE(std::filesystem::exists(store.KeptMarkPath(project).Native()));
    keeper->OnProjectSaved();
    keeper->Flush();
    EXPECT_FALSE(store.Load(project));
    EXPECT_FALSE(Show(*keeper));
    EXPECT_EQ(prompter.Messages().size(), 4u);
    EXPECT_TRUE(prompter.ScriptDone());
}

// A copy left stale by a save is not offered, even beside a mark that
// names another copy or is damaged; discarding a kept copy takes its mark.
TEST_F(RecoveryKeeperTest, OnlyTheVeryCopyTheUserKeptCountsAsKept) {
    ASSERT_FALSE(store.Save(Leftover(kFilesTime - 1)));
    ASSERT_FALSE(store.MarkKept(Leftover()));
    auto keeper = MakeKeeper();
    EXPECT_FALSE(Show(*keeper));
    WriteFileBytes(store.KeptMarkPath(project).Native(), KeptMarkText(Leftover(kFilesTime - 1)) + "x");
    EXPECT_FALSE(Show(*keeper));
    EXPECT_TRUE(prompter.Messages().empty());
    // This session's copy replaces it and its save removes it, as ever.
    const Clock::time_point start{};
    keeper->OnEdit(start);
    ASSERT_TRUE(keeper->Tick(start + 3s, true));
    keeper->Copy(Snapshot("mine"));
    keeper->OnProjectSaved();
    keeper->Flush();
    EXPECT_FALSE(store.Load(project));

    ASSERT_FALSE(store.Save(Leftover()));
    ASSERT_FALSE(store.MarkKept(Leftover()));
    prompter.ExpectMessage(Answer::kNo);
    EXPECT_FALSE(Show(*keeper));
    keeper->Flush();
    EXPECT_FALSE(std::filesystem::exists(store.EntryPath(project).Native()));
    EXPECT_FALSE(std::filesystem::exists(store.KeptMarkPath(project).Native()));
}

// A restored copy whose source edit could be put nowhere stays as it is,
// kept like one the user kept.
TEST_F(RecoveryKeeperTest, ACopyRestoredButNotWhollyPutBackStaysKept) {
    ASSERT_FALSE(store.Save(Leftover()));
    auto keeper = MakeKeeper();
    prompter.ExpectMessage(Answer::kYes);
    const std::optional<CRecoveryEntry> restored = Show(*keeper);
    ASSERT_TRUE(restored);
    keeper->KeepEntryAsIs(*restored);
    keeper->OnProjectSaved();
    keeper->Flush();
    SetFileTime(project, now + 1000);

    auto next = MakeKeeper();
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(Show(*next));
    EXPECT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(store.Load(project), Leftover());
}

TEST_F(RecoveryKeeperTest, OffersOnlyEntriesNewerThanTheFilesWhoseWriterHasEnded) {
    auto keeper = MakeKeeper();
    // Saved after the copy was taken.
    ASSERT_FALSE(store.Save(Leftover(kFilesTime - 1)));
    EXPECT_FALSE(Show(*keeper));
    // Another Kelmio is running with this project: its entry is left alone.
    processes.running.push_back(Leftover().m_writer);
    ASSERT_FALSE(store.Save(Leftover()));
    EXPECT_FALSE(Show(*keeper));
    keeper->OnEdit(Clock::time_point{});
    EXPECT_FALSE(keeper->Tick(Clock::time_point{} + 1h, true));
    // The same id with another start time is a different, ended process.
    processes.running = {{77, 9999}};
    prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(Show(*keeper));
    // This process's own entry is current work, never offered.
    CRecoveryEntry own = Leftover();
    own.m_writer = processes.self;
    ASSERT_FALSE(store.Save(own));
    EXPECT_FALSE(Show(*keeper));
    EXPECT_EQ(prompter.Messages().size(), 1u);
    // A damaged entry is never offered.
    WriteFileBytes(store.EntryPath(project).Native(), WriteRecoveryEntry(Leftover()).substr(0, 40));
    EXPECT_FALSE(Show(*keeper));
    EXPECT_EQ(prompter.Messages().size(), 1u);
}

TEST_F(RecoveryKeeperTest, CopiesWhenDueAndRemovesTheEntryOnceSavedOrClosed) {
    auto keeper = MakeKeeper();
    EXPECT_FALSE(Show(*keeper));
    const Clock::time_point start{};
    keeper->OnEdit(start);
    EXPECT_FALSE(keeper->Tick(start + 1s, true));
    ASSERT_TRUE(keeper->Tick(start + 3s, true));
    keeper->Copy(Snapshot("訳文"));
    keeper->Flush();
    const std::optional<CRecoveryEntry> written = store.Load(project);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->m_strEditText, Sj("訳文"));
    EXPECT_EQ(written->m_nCopyTime, now);
    EXPECT_EQ(written->m_writer, processes.self);
    EXPECT_FALSE(keeper->Tick(start + 4s, true));

    // Saved: the entry goes.
    EXPECT_FALSE(keeper->Tick(start + 5s, false));
    keeper->Flush();
    EXPECT_FALSE(store.Load(project));

    // Unsaved work let go when the project closes: the entry goes too.
    keeper->OnEdit(start + 10s);
    ASSERT_TRUE(keeper->Tick(start + 14s, true));
    keeper->Copy(Snapshot("x"));
    keeper->OnProjectClosed();
    keeper->Flush();
    EXPECT_FALSE(std::filesystem::exists(store.EntryPath(project).Native()));
}

// Storage for the next copy of a large text is made ready shortly before
// the copy and given back once no change waits to be copied.
TEST_F(RecoveryKeeperTest, SpareStorageIsHeldOnlyAroundACopy) {
    auto keeper = MakeKeeper();
    Show(*keeper);
    const auto spareCapacity = [&keeper] {
        keeper->Flush();
        const std::string spare = keeper->TakeSpareText();
        return spare.capacity();
    };
    constexpr std::size_t kText = 200000;
    const Clock::time_point start{};
    keeper->KeepSpareTextFor(kText, start);
    EXPECT_LT(spareCapacity(), kText);  // nothing changed yet

    keeper->OnEdit(start);
    keeper->KeepSpareTextFor(kText, start);
    EXPECT_LT(spareCapacity(), kText);  // the copy is 3 s away
    keeper->KeepSpareTextFor(kText, start + 1s);
    keeper->Flush();
    ASSERT_TRUE(keeper->Tick(start + 3s, true));
    RecoverySnapshot snapshot = Snapshot("");
    snapshot.strEditTextUtf8 = keeper->TakeSpareText();
    EXPECT_GE(snapshot.strEditTextUtf8.capacity(), kText);  // made ready before the copy
    snapshot.strEditTextUtf8.assign(kText, 'x');
    keeper->Copy(std::move(snapshot));
    keeper->Flush();
    ASSERT_TRUE(store.Load(project));

    // Copied: the storage handed back goes back to the system.
    keeper->KeepSpareTextFor(kText, start + 4s);
    EXPECT_LT(spareCapacity(), kText);
    // As it does when the work is saved before a copy was taken.
    keeper->OnEdit(start + 10s);
    keeper->KeepSpareTextFor(kText, start + 12s);
    keeper->Flush();
    EXPECT_FALSE(keeper->Tick(start + 12s, false));
    keeper->KeepSpareTextFor(0, start + 13s);
    EXPECT_LT(spareCapacity(), kText);
}

TEST_F(RecoveryKeeperTest, UnsavedWorkWithoutAnEditNoticeIsCopiedAllTheSame) {
    auto keeper = MakeKeeper();
    Show(*keeper);
    const Clock::time_point start{};
    EXPECT_FALSE(keeper->Tick(start, true));
    EXPECT_TRUE(keeper->Tick(start + 3s, true));
}

TEST_F(RecoveryKeeperTest, EachProjectPathHasItsOwnEntry) {
    const std::string other = dir.File("other.kmp");
    EXPECT_NE(store.EntryPath(project), store.EntryPath(other));
    CRecoveryEntry entry = Leftover();
    entry.m_strProject = other;
    // Even under this project's file name, another project's entry is not this one's.
    WriteFileBytes(store.EntryPath(project).Native(), WriteRecoveryEntry(entry));
    EXPECT_FALSE(store.Load(project));
    auto keeper = MakeKeeper();
    EXPECT_FALSE(Show(*keeper));
}

// "é" has no Shift-JIS form and shows as "?": the two projects still keep
// their own entries, and the question names the project as it shows.
TEST_F(RecoveryKeeperTest, ANameWithoutAShiftJisFormNeverSharesTheEntryOfTheNameItShowsAs) {
    const CFilePath accent = CFilePath::FromNative(dir.File("é.kmp"));
    const CFilePath shown = dir.File("?.kmp");
    ASSERT_EQ(accent.Display(), shown.Native());
    EXPECT_NE(store.EntryPath(accent), store.EntryPath(shown));
    WriteFileBytes(accent.Native(), "project");
    SetFileTime(accent.Native(), kFilesTime);

    CRecoveryEntry left = Leftover();
    left.m_strProject = accent;
    ASSERT_FALSE(store.Save(left));
    EXPECT_FALSE(store.Load(shown));
    CRecoveryEntry other = Leftover();
    other.m_strProject = shown;
    other.m_strEditText = "other";
    ASSERT_FALSE(store.Save(other));
    EXPECT_EQ(store.Load(accent), left);

    auto keeper = MakeKeeper();
    prompter.ExpectMessage(Answer::kYes);
    EXPECT_EQ(keeper->OnProjectShown(accent, {accent}, prompter), left);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_NE(prompter.Messages()[0].text.find(Sj("プロジェクト: ") + shown.Native() + "\n"), std::string::npos);

    // This session's copies and the save land on the accented name's entry only.
    const Clock::time_point start{};
    EXPECT_FALSE(keeper->Tick(start, true));
    ASSERT_TRUE(keeper->Tick(start + 3s, true));
    keeper->Copy(Snapshot("新しい訳文"));
    keeper->Flush();
    EXPECT_EQ(store.Load(accent)->m_strEditText, Sj("新しい訳文"));
    EXPECT_EQ(store.Load(shown), other);
    keeper->OnProjectSaved();
    keeper->Flush();
    EXPECT_FALSE(store.Load(accent));
    EXPECT_EQ(store.Load(shown), other);
}

TEST(RecoveryWriterTest, WritesTheLatestCopyAndARemovalGivenLaterWins) {
    TempDir dir;
    std::vector<std::optional<FileError>> results;
    {
        CRecoveryWriter writer(CRecoveryStore(dir.File("recovery")),
                               [&results](const CFilePath&, const std::optional<FileError>& error) {
                                   results.push_back(error);
                               });
        for (const char* text : {"first", "second", "third"}) {
            RecoverySnapshot snapshot;
            snapshot.entry.m_strProject = "/p.kmp";
            snapshot.strEditTextUtf8 = text;
            writer.Write(std::move(snapshot));
        }
        writer.Flush();
        const std::optional<CRecoveryEntry> entry = writer.Store().Load("/p.kmp");
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->m_strEditText, "third");

        RecoverySnapshot last;
        last.entry.m_strProject = "/p.kmp";
        writer.Write(std::move(last));
        writer.Remove("/p.kmp");
    }  // the writer finishes what it was given before it goes
    EXPECT_FALSE(std::filesystem::exists(CRecoveryStore(dir.File("recovery")).EntryPath("/p.kmp").Native()));
    ASSERT_FALSE(results.empty());
    EXPECT_FALSE(results.back());

    // A folder that cannot be made: the failure is told, nothing is thrown.
    WriteFileBytes(dir.File("file"), "x");
    std::optional<FileError> failure;
    {
        CRecoveryWriter writer(CRecoveryStore(dir.File("file/recovery")),
                               [&failure](const CFilePath&, const std::optional<FileError>& error) { failure = error; });
        RecoverySnapshot snapshot;
        snapshot.entry.m_strProject = "/p.kmp";
        writer.Write(std::move(snapshot));
    }
    EXPECT_TRUE(failure);
}

TEST(RecoveryQuestionTest, NamesTheProjectAndTheLocalTimeOfTheCopy) {
    ScopedEnv zone("TZ", "UTC");
    ::tzset();
    CRecoveryEntry entry;
    entry.m_strProject = Sj("/home/u/表.kmp");
    entry.m_nCopyTime = 1796644800000;  // 2026-12-07 12:00:00 UTC
    EXPECT_EQ(RecoveryQuestion(entry),
              Sj("保存されていない作業の控えがあります。\n\nプロジェクト: /home/u/表.kmp\n"
                 "控えの時刻: 2026/12/07 12:00:00\n\n復元しますか？\n"
                 "［はい］で復元し、［いいえ］で控えを破棄します。［ｷｬﾝｾﾙ］では控えを残し、次に開くときにまた尋ねます。"));
}

TEST(ApplyRecoveryTest, PutsTextAndMemosBackAsUnsavedChanges) {
    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    CKelmioDoc doc(settings, prompter, app);
    FakeEditPane editor;
    FakeMemoPane memo;
    doc.AttachViews(nullptr, &editor, &memo);
    doc.m_data.AppendMemo({"old", "memo"});

    CRecoveryEntry entry;
    entry.m_strEditText = Sj("戻った訳文");
    entry.m_nEditCaret = 4;
    entry.m_nEditTopLine = 7;
    entry.m_arrMemo = {{Sj("題"), Sj("本文")}, {"b", "c"}};
    ApplyRecovery(doc, entry);

    EXPECT_EQ(editor.text, Sj("戻った訳文"));
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.caret, 4);
    // The view as it was: the caret is put back without moving it.
    EXPECT_EQ(editor.scrolledBy, 7);
    ASSERT_EQ(doc.m_data.GetMemoCount(), 2u);
    EXPECT_EQ(doc.m_data.GetMemo(0), (CKelmioMemo{Sj("題"), Sj("本文")}));
    EXPECT_EQ(memo.initialUpdates, 1);
    EXPECT_TRUE(doc.IsModified());
}

// A data folder whose name has no Shift-JIS form ("é" in the user's name)
// still holds the copies: the folder is kept by its own bytes.
TEST(RecoveryStoreTest, DataFolderWithoutAShiftJisNameKeepsEntries) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.File("josé"));
    const CFilePath folder = DefaultRecoveryFolder();
    EXPECT_FALSE(folder.Sjis());
    CRecoveryEntry entry;
    entry.m_strProject = "/p.kmp";
    entry.m_strEditText = "text";
    const CRecoveryStore store(folder);
    ASSERT_FALSE(store.Save(entry));
    EXPECT_TRUE(std::filesystem::exists(dir.File("josé") + "/Morva/Kelmio/recovery"));
    const std::optional<CRecoveryEntry> loaded = store.Load("/p.kmp");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->m_strEditText, "text");
    EXPECT_TRUE(store.Remove("/p.kmp"));
}

}  // namespace
}  // namespace kelmio
