#include "recovery/recovery_writer.h"

#include <sys/resource.h>
#include <unistd.h>

#include "recovery/recovery_source.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr int kWriterNice = 10;

}  // namespace

CRecoveryEntry EntryFromSnapshotTexts(RecoverySnapshot& snapshot) {
    CRecoveryEntry entry = std::move(snapshot.entry);
    entry.m_strEditText = Utf8ToCp932(snapshot.strEditTextUtf8);
    if (snapshot.sourceEdit) entry.m_source = RecoverySourceFromEdit(*snapshot.sourceEdit);
    return entry;
}

CRecoveryEntry EntryFromSnapshot(RecoverySnapshot snapshot) { return EntryFromSnapshotTexts(snapshot); }

CRecoveryWriter::CRecoveryWriter(CRecoveryStore store, WriteDone done)
    : m_store(std::move(store)), m_done(std::move(done)), m_thread([this] { Run(); }) {}

CRecoveryWriter::~CRecoveryWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CRecoveryWriter::Write(RecoverySnapshot snapshot) {
    std::string project = snapshot.entry.m_strProject;
    Push(Job{std::move(project), std::move(snapshot)});
}

void CRecoveryWriter::Remove(std::string project) { Push(Job{std::move(project), std::nullopt}); }

void CRecoveryWriter::Push(Job job) {
    {
        std::lock_guard lock(m_mutex);
        // A waiting copy of the same project is out of date; the last
        // waiting job decides, so a removal after it still wins.
        if (job.snapshot && !m_jobs.empty() && m_jobs.back().strProject == job.strProject &&
            m_jobs.back().snapshot) {
            m_jobs.back() = std::move(job);
        } else {
            m_jobs.push_back(std::move(job));
        }
    }
    m_wake.notify_one();
}

void CRecoveryWriter::Flush() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_bBusy; });
}

std::string CRecoveryWriter::TakeSpareText() {
    std::lock_guard lock(m_mutex);
    return std::move(m_strSpare);
}

void CRecoveryWriter::Run() {
    // Typing comes first: on a busy machine the copy waits, not the user.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWriterNice);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_bStop || !m_jobs.empty(); });
        if (m_jobs.empty()) return;  // stopping, nothing left
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_bBusy = true;
        lock.unlock();
        Do(job);
        lock.lock();
        m_bBusy = false;
        if (m_jobs.empty()) m_idle.notify_all();
    }
}

void CRecoveryWriter::Do(Job& job) {
    if (!job.snapshot) {
        m_store.Remove(job.strProject);
        return;
    }
    const CRecoveryEntry entry = EntryFromSnapshotTexts(*job.snapshot);
    {
        std::string& text = job.snapshot->strEditTextUtf8;
        text.clear();
        std::lock_guard lock(m_mutex);
        if (text.capacity() > m_strSpare.capacity()) m_strSpare = std::move(text);
    }
    const std::optional<FileError> error = m_store.Save(entry);
    if (m_done) m_done(job.strProject, error);
}

}  // namespace kelmio
