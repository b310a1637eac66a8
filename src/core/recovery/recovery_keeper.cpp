#include "recovery/recovery_keeper.h"

#include "platform/panes.h"
#include "project/kelmio_doc.h"
#include "recovery/process_info.h"

namespace kelmio {

CRecoveryKeeper::CRecoveryKeeper(CRecoveryStore store, const CProcessInfo& processes, WallClock wallClock)
    : m_processes(processes),
      m_wallClock(std::move(wallClock)),
      m_self(processes.Current()),
      m_writer(std::move(store)) {}

std::optional<CRecoveryEntry> CRecoveryKeeper::OnProjectShown(const CFilePath& project,
                                                              const std::vector<CFilePath>& projectFiles,
                                                              CPrompter& prompter) {
    OnProjectClosed();
    m_strProject = project;
    if (project.empty()) return std::nullopt;
    std::optional<CRecoveryEntry> entry = Store().Load(project);
    if (!entry) return std::nullopt;
    if (!ShouldOfferRecovery(*entry, LatestWriteTime(projectFiles), Store().IsKept(*entry), m_self, m_processes)) {
        // Another running Kelmio keeps this entry: leave it alone.
        m_bHeld = m_processes.IsRunning(entry->m_writer) && !(entry->m_writer == m_self);
        return std::nullopt;
    }
    switch (AskRecovery(prompter, *entry)) {
        case RecoveryOutcome::kRestore:
            // The work is this session's now; later copies and the save replace it.
            Store().Unmark(project);
            m_bOwnEntry = true;
            return entry;
        case RecoveryOutcome::kDiscard:
            m_writer.Remove(project);
            return std::nullopt;
        case RecoveryOutcome::kKeep:
            KeepEntryAsIs(*entry);
            return std::nullopt;
    }
    return std::nullopt;
}

void CRecoveryKeeper::KeepEntryAsIs(const CRecoveryEntry& entry) {
    m_bHeld = true;
    m_bOwnEntry = false;
    // Asked again at the next opening, however the project's files change
    // meanwhile. Without the mark the entry still stays, offered while it
    // is newer than the project.
    Store().MarkKept(entry);
}

void CRecoveryKeeper::OnProjectClosed() {
    DropOwnEntry();
    m_strProject = {};
    m_bHeld = false;
    m_bUnsavedSeen = false;
    m_schedule.OnCopied();
}

void CRecoveryKeeper::FollowPath(const CFilePath& project) {
    if (project == m_strProject) return;
    OnProjectClosed();
    m_strProject = project;
}

void CRecoveryKeeper::DropOwnEntry() {
    if (!m_bOwnEntry) return;
    m_writer.Remove(m_strProject);
    m_bOwnEntry = false;
}

bool CRecoveryKeeper::Tick(Clock::time_point now, bool unsaved) {
    if (m_strProject.empty() || m_bHeld) return false;
    if (!unsaved) {
        // Saved (or every change undone): nothing is left to recover.
        DropOwnEntry();
        m_bUnsavedSeen = false;
        m_schedule.OnCopied();
        return false;
    }
    // Changes that came without an edit notice (a memo added, work restored).
    if (!m_bUnsavedSeen) {
        m_bUnsavedSeen = true;
        if (!m_schedule.IsPending()) m_schedule.OnEdit(now);
    }
    return m_schedule.IsDue(now);
}

void CRecoveryKeeper::KeepSpareTextFor(std::size_t length, Clock::time_point now) {
    if (length == 0 || m_strProject.empty() || m_bHeld || !m_schedule.IsPending()) {
        m_writer.ReleaseSpareText();
    } else if (now + kSpareLead >= m_schedule.DueAt()) {
        m_writer.PrepareSpareText(length);
    }
}

void CRecoveryKeeper::Copy(RecoverySnapshot snapshot) {
    if (m_strProject.empty() || m_bHeld) return;
    snapshot.entry.m_writer = m_self;
    snapshot.entry.m_nCopyTime = m_wallClock();
    snapshot.entry.m_strProject = m_strProject;
    m_writer.Write(std::move(snapshot));
    m_schedule.OnCopied();
    m_bOwnEntry = true;
}

void ApplyRecovery(CKelmioDoc& doc, const CRecoveryEntry& entry) {
    while (doc.m_data.GetMemoCount() > 0) doc.m_data.RemoveMemo(doc.m_data.GetMemoCount() - 1);
    for (const CKelmioMemo& memo : entry.m_arrMemo) doc.m_data.AppendMemo(memo);
    if (CMemoPane* memo = doc.GetFormView()) {
        memo->OnInitialUpdate();
        if (entry.m_nSelectedMemo >= 0) memo->SelectMemo(entry.m_nSelectedMemo);
    }
    if (CEditPane* editor = doc.GetEditView()) {
        editor->RestoreText(entry.m_strEditText);
        editor->ScrollDown(entry.m_nEditTopLine);
        editor->SetCaret(entry.m_nEditCaret);
    }
    doc.SetModifiedFlag(true);
}

}  // namespace kelmio
