#include "recovery/recovery_writer.h"

#include <sys/resource.h>
#include <unistd.h>

#include "recovery/recovery_source.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr int kWriterNice = 19;

// Storage for `length` bytes whose pages have all been written once, so
// that they are mapped; empty, keeping its capacity.
std::string MappedStorage(std::size_t length) {
    std::string storage;
    storage.resize(length);
    storage.clear();
    return storage;
}

// The entry of a snapshot but for its translation text, which stays in
// `snapshot`.
CRecoveryEntry EntryWithoutEditText(RecoverySnapshot& snapshot) {
    CRecoveryEntry entry = std::move(snapshot.entry);
    if (snapshot.sourceEdit) entry.m_source = RecoverySourceFromEdit(*snapshot.sourceEdit);
    return entry;
}

}  // namespace

CRecoveryEntry EntryFromSnapshot(RecoverySnapshot snapshot) {
    CRecoveryEntry entry = EntryWithoutEditText(snapshot);
    entry.m_strEditText = Utf8ToCp932(snapshot.strEditTextUtf8);
    return entry;
}

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
    CFilePath project = snapshot.entry.m_strProject;
    Push(Job{std::move(project), std::move(snapshot)});
}

void CRecoveryWriter::Remove(CFilePath project) { Push(Job{std::move(project), std::nullopt}); }

void CRecoveryWriter::Push(Job job) {
    {
        std::lock_guard lock(m_mutex);
        // A waiting copy of the same project is out of date; the last
        // waiting job decides, so a removal after it still wins.
        if (job.snapshot && !m_jobs.empty() && m_jobs.back().project == job.project &&
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
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_bBusy && m_nPrepare == 0 && !m_bRelease; });
}

std::string CRecoveryWriter::TakeSpareText() {
    std::lock_guard lock(m_mutex);
    return std::move(m_strSpare);
}

void CRecoveryWriter::PrepareSpareText(std::size_t length) {
    {
        std::lock_guard lock(m_mutex);
        m_bRelease = false;
        if (m_strSpare.capacity() >= length || m_nPrepare >= length) return;
        m_nPrepare = length;
    }
    m_wake.notify_one();
}

void CRecoveryWriter::ReleaseSpareText() {
    {
        std::lock_guard lock(m_mutex);
        m_nPrepare = 0;
        if (m_bRelease || (m_strSpare.capacity() == 0 && !m_bBusy)) return;
        m_bRelease = true;
    }
    m_wake.notify_one();
}

void CRecoveryWriter::Release(std::unique_lock<std::mutex>& lock) {
    m_bRelease = false;
    std::string spare = std::move(m_strSpare);
    lock.unlock();
    spare = std::string();
    lock.lock();
}

void CRecoveryWriter::Prepare(std::unique_lock<std::mutex>& lock) {
    const std::size_t length = m_nPrepare;
    m_nPrepare = 0;
    // The storage of a copy just written may have come back meanwhile.
    if (m_strSpare.capacity() >= length) return;
    lock.unlock();
    // With room for some typing before the copy is taken.
    std::string storage = MappedStorage(length + length / 8);
    lock.lock();
    if (storage.capacity() > m_strSpare.capacity()) m_strSpare = std::move(storage);
}

void CRecoveryWriter::Run() {
    // Typing comes first: on a busy machine the copy waits, not the user.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWriterNice);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_bStop || !m_jobs.empty() || m_nPrepare != 0 || m_bRelease; });
        if (m_jobs.empty() && m_bStop) return;  // stopping, nothing left
        m_bBusy = true;
        if (m_jobs.empty() && m_bRelease) {
            Release(lock);
        } else if (m_jobs.empty()) {
            Prepare(lock);
        } else {
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            Do(job);
            lock.lock();
        }
        m_bBusy = false;
        if (m_jobs.empty()) m_idle.notify_all();
    }
}

void CRecoveryWriter::Do(Job& job) {
    if (!job.snapshot) {
        m_store.Remove(job.project);
        return;
    }
    std::string& text = job.snapshot->strEditTextUtf8;
    const CRecoveryEntry entry = EntryWithoutEditText(*job.snapshot);
    const std::optional<FileError> error = m_store.SaveWithText(entry, text);
    {
        text.clear();
        std::lock_guard lock(m_mutex);
        if (text.capacity() > m_strSpare.capacity()) m_strSpare = std::move(text);
    }
    if (m_done) m_done(job.project, error);
}

}  // namespace kelmio
