#include "gui/app/recovery_timer.h"

#include <chrono>

#include "platform/panes.h"
#include "project/kelmio_doc.h"
#include "recovery/recovery_store.h"

namespace kelmio {
namespace {

constexpr int kTickMilliseconds = 1000;

std::int64_t WallClockNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Recovery entries are kept under Shift-JIS names. A project whose name has
// none gets no copy (as an untitled one), rather than one it might share
// with another project whose name shows the same.
std::string RecoveryName(const CFilePath& path) { return path.Sjis().value_or(std::string()); }

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
    const std::string project = RecoveryName(m_doc.GetPathName());
    m_savedMemos = MemosOf(m_doc.m_data);
    const std::optional<CRecoveryEntry> entry =
        m_keeper.OnProjectShown(project, {project, RecoveryName(m_doc.m_data.m_strEditFile)}, m_prompter);
    if (entry) ApplyRecovery(m_doc, *entry);
}

void CRecoveryTimer::OnProjectSaved() {
    m_savedMemos = MemosOf(m_doc.m_data);
    m_keeper.OnProjectSaved();
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
    const CEditPane* editor = m_doc.GetEditView();
    return editor != nullptr && editor->GetModified();
}

void CRecoveryTimer::Tick() {
    m_keeper.FollowPath(RecoveryName(m_doc.GetPathName()));
    if (m_keeper.Tick(CRecoverySchedule::Clock::now(), HasUnsavedWork())) m_keeper.Copy(TakeSnapshot());
}

RecoverySnapshot CRecoveryTimer::TakeSnapshot() const {
    RecoverySnapshot snapshot;
    CRecoveryEntry& entry = snapshot.entry;
    entry.m_strEditFile = m_doc.m_data.m_strEditFile.Display();
    entry.m_arrMemo = MemosOf(m_doc.m_data);
    // The memo pane does not say which memo it shows; nothing is selected.
    entry.m_nSelectedMemo = -1;
    if (const CEditPane* editor = m_doc.GetEditView()) {
        snapshot.strEditTextUtf8 = editor->CopyTextUtf8();
        entry.m_nEditCaret = editor->SelStart();
        entry.m_nEditTopLine = editor->FirstVisibleLine();
    }
    return snapshot;
}

}  // namespace kelmio
