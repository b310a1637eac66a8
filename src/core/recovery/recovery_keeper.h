#pragma once
// Keeps the recovery copy of the project being worked on: offers an entry
// left behind when a project is shown, says when a new copy is due, hands
// copies to the writer and removes the project's entry once its work was
// saved or let go.
//
// The application calls Tick about once a second with whether the project
// has unsaved work, OnEdit on every change the user makes, and Copy with a
// snapshot when Tick said so. The clocks and the process table are passed
// in, so tests run the rules without waiting.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "recovery/recovery_offer.h"
#include "recovery/recovery_schedule.h"
#include "recovery/recovery_writer.h"

namespace kelmio {

class CKelmioDoc;

class CRecoveryKeeper {
public:
    using Clock = CRecoverySchedule::Clock;
    // Milliseconds since 1970-01-01 UTC: the time written into an entry.
    using WallClock = std::function<std::int64_t()>;

    CRecoveryKeeper(CRecoveryStore store, const CProcessInfo& processes, WallClock wallClock);

    // A project was opened or created at `project` (empty: untitled, never
    // kept). When its entry is to be offered, asks; returns the entry when
    // the answer was to restore it.
    std::optional<CRecoveryEntry> OnProjectShown(const CFilePath& project, const std::vector<CFilePath>& projectFiles,
                                                 CPrompter& prompter);
    // The project ends normally: its work was saved or let go.
    void OnProjectClosed();
    // The project was saved: its entry is no longer needed.
    void OnProjectSaved() { DropOwnEntry(); }
    // The entry offered stays as it is on disk: nothing is written over it
    // or removed while this project is shown, and it is offered again at
    // every opening until it is restored or discarded.
    void KeepEntryAsIs(const CRecoveryEntry& entry);
    // The project now lives at `project` (saved under another name).
    void FollowPath(const CFilePath& project);

    // How long before a copy is due its storage is made ready: two ticks.
    static constexpr std::chrono::milliseconds kSpareLead{2000};

    void OnEdit(Clock::time_point now) { m_schedule.OnEdit(now); }
    // True when a copy is to be taken now.
    bool Tick(Clock::time_point now, bool unsaved);
    // Hands a copy of the project's state to the writer.
    void Copy(RecoverySnapshot snapshot);

    // Storage to take the next copy's translation text into (see the writer).
    std::string TakeSpareText() { return m_writer.TakeSpareText(); }
    // Has the writer make that storage ready for a text of `length` bytes
    // (0: there is none to copy) shortly before a copy of this project is
    // due, and give it back once no change waits to be copied: the storage
    // for a large text costs memory only around its copies.
    void KeepSpareTextFor(std::size_t length, Clock::time_point now);
    // Returns once the copies given so far are on disk (or failed).
    void Flush() { m_writer.Flush(); }
    const CRecoveryStore& Store() const { return m_writer.Store(); }
    const CFilePath& Project() const { return m_strProject; }

private:
    void DropOwnEntry();

    const CProcessInfo& m_processes;
    WallClock m_wallClock;
    ProcessIdentity m_self;
    CRecoverySchedule m_schedule;
    CFilePath m_strProject;
    bool m_bHeld = false;      // the user kept an older entry for later: it is not written over
    bool m_bOwnEntry = false;  // the project's entry holds this session's work
    bool m_bUnsavedSeen = false;
    CRecoveryWriter m_writer;  // last: its thread stops before the rest goes
};

// Puts the entry's translation text and memos back into the document as
// unsaved changes, with the caret where it was and the memo that was
// selected shown (recovery/recovery_source.h restores the source's edit).
void ApplyRecovery(CKelmioDoc& doc, const CRecoveryEntry& entry);

}  // namespace kelmio
