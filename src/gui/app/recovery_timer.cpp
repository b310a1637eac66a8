#include "gui/app/recovery_timer.h"

#include <chrono>

#include "platform/panes.h"
#include "project/kelmio_doc.h"
#include "recovery/recovery_source.h"
#include "recovery/recovery_store.h"

namespace kelmio {
namespace {

constexpr int kTickMilliseconds = 1000;

std::int64_t WallClockNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::vector<CKelmioMemo> MemosOf(const CKelmioData& data) {
    std::vector<CKelmioMemo> memos;
    memos.reserve(data.GetMemoCount());
    for (std::size_t i = 0; i < data.GetMemoCount(); ++i) memos.push_back(data.GetMemo(i));
    return memos;
}

bool SameMemos(const CKelmioData& data, const std::vector<CKelmioMemo>& memos) {
    if (data.GetMemoCount() != memos.size()) return false;
    for (std::size_t i = 0; i < memos.size(); ++i) {
        if (!(data.GetMemo(i) == memos[i])) return false;
    }
    return true;
}

}  // namespace

CRecoveryTimer::CRecoveryTimer(CKelmioDoc& doc, CPrompter& prompter)
    : m_doc(doc),
      m_prompter(prompter),
      m_keeper(CRecoveryStore(DefaultRecoveryFolder()), m_processes, WallClockNow) {
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
    m_timer.Start(kTickMilliseconds);
}

void CRecoveryTimer::OnEdit() { m_keeper.OnEdit(CRecoverySchedule::Clock::now()); }

void CRecoveryTimer::OnProjectShown() {
    const CFilePath project = m_doc.GetPathName();
    m_savedMemos = MemosOf(m_doc.m_data);
    const std::optional<CRecoveryEntry> entry =
        m_keeper.OnProjectShown(project, {project, m_doc.m_data.m_strEditFile}, m_prompter);
    if (!entry) return;
    ApplyRecovery(m_doc, *entry);
    if (ApplySourceRecovery(m_doc, *entry, m_keeper.Store().Folder(), m_prompter) == SourceRecoveryOutcome::kNotKept) {
        m_keeper.KeepEntryAsIs(*entry);
    }
}

void CRecoveryTimer::OnProjectSaved() {
    m_savedMemos = MemosOf(m_doc.m_data);
    m_keeper.OnProjectSaved();
    // The source's text is saved on its own: an edit of it outlives the
    // project's save and is copied again.
    if (const CSourcePane* source = m_doc.GetTextView(); source != nullptr && source->IsTextModified()) OnEdit();
}

void CRecoveryTimer::OnProjectClosed() {
    m_timer.Stop();
    m_keeper.OnProjectClosed();
}

bool CRecoveryTimer::HasUnsavedWork() {
    // Opening a project marks it modified (to keep the caret), so the
    // document's flag says nothing; the texts themselves do.
    if (CMemoPane* memo = m_doc.GetFormView()) memo->SaveMemoText();
    if (!SameMemos(m_doc.m_data, m_savedMemos)) return true;
    if (const CSourcePane* source = m_doc.GetTextView(); source != nullptr && source->IsTextModified()) return true;
    const CEditPane* editor = m_doc.GetEditView();
    return editor != nullptr && editor->GetModified();
}

void CRecoveryTimer::Tick() {
    m_keeper.FollowPath(m_doc.GetPathName());
    const bool unsaved = HasUnsavedWork();
    // Ready before the copy is due, so that taking it maps no fresh pages.
    const auto now = CRecoverySchedule::Clock::now();
    const CEditPane* editor = m_doc.GetEditView();
    m_keeper.KeepSpareTextFor(unsaved && editor != nullptr ? editor->TextLengthUtf8() : 0, now);
    if (m_keeper.Tick(now, unsaved)) m_keeper.Copy(TakeSnapshot());
}

RecoverySnapshot CRecoveryTimer::TakeSnapshot() {
    RecoverySnapshot snapshot;
    CRecoveryEntry& entry = snapshot.entry;
    entry.m_strEditFile = m_doc.m_data.m_strEditFile;
    entry.m_arrMemo = MemosOf(m_doc.m_data);
    if (const CMemoPane* memo = m_doc.GetFormView()) entry.m_nSelectedMemo = memo->SelectedMemo();
    if (const CEditPane* editor = m_doc.GetEditView()) {
        snapshot.strEditTextUtf8 = m_keeper.TakeSpareText();
        editor->CopyTextUtf8(snapshot.strEditTextUtf8);
        entry.m_nEditCaret = editor->SelStart();
        entry.m_nEditTopLine = editor->FirstVisibleLine();
    }
    if (const CSourcePane* source = m_doc.GetTextView()) snapshot.sourceEdit = source->CopyModifiedText();
    return snapshot;
}

}  // namespace kelmio
