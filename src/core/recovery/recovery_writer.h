#pragma once
// Writes and removes recovery entries on a thread of its own, so that the
// UI thread only copies the text: converting a large translation to
// Shift-JIS, checksumming and writing it never holds up typing. The text is
// converted piece by piece as it is written, never held whole a second time.
//
// Jobs run in the order given, except that a newer copy of a project
// replaces one still waiting: only the latest state is worth writing.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/file_error.h"
#include "platform/panes.h"
#include "recovery/recovery_entry.h"
#include "recovery/recovery_store.h"

namespace kelmio {

// What the UI thread hands over: the entry without its translation text
// and source edit, and those as the panes hold them (UTF-8), converted on
// the worker.
struct RecoverySnapshot {
    CRecoveryEntry entry;
    std::string strEditTextUtf8;
    std::optional<SourceTextEdit> sourceEdit;
};

class CRecoveryWriter {
public:
    // Told, on the worker thread, how each write ended (nullopt: written).
    using WriteDone = std::function<void(const CFilePath& project, const std::optional<FileError>& error)>;

    explicit CRecoveryWriter(CRecoveryStore store, WriteDone done = {});
    // Finishes the waiting jobs first: an entry asked for is written.
    ~CRecoveryWriter();
    CRecoveryWriter(const CRecoveryWriter&) = delete;
    CRecoveryWriter& operator=(const CRecoveryWriter&) = delete;

    void Write(RecoverySnapshot snapshot);
    void Remove(CFilePath project);
    // Returns once every job given so far has run (spare storage asked
    // for included).
    void Flush();
    // The storage of a written copy's translation text, emptied, for the
    // next copy to fill: its pages are mapped already, so that copying a
    // large text into it costs the UI thread no page faults. Empty when
    // none is free.
    std::string TakeSpareText();
    // Makes the spare storage ready, on the writer's thread, for a text of
    // `length` bytes and a little typing more, unless it is already: even
    // the first copy then maps no fresh pages on the UI thread.
    void PrepareSpareText(std::size_t length);
    // Gives the spare storage back to the system, on the writer's thread
    // (unmapping a large block takes a while); storage being made is given
    // back once made.
    void ReleaseSpareText();

    const CRecoveryStore& Store() const { return m_store; }

private:
    struct Job {
        CFilePath project;
        std::optional<RecoverySnapshot> snapshot;  // empty: remove the entry
    };

    void Push(Job job);
    void Run();
    void Do(Job& job);
    void Prepare(std::unique_lock<std::mutex>& lock);
    void Release(std::unique_lock<std::mutex>& lock);

    CRecoveryStore m_store;
    WriteDone m_done;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_bBusy = false;
    bool m_bStop = false;
    std::string m_strSpare;
    std::size_t m_nPrepare = 0;  // spare storage asked for, not yet made
    bool m_bRelease = false;     // the spare storage is to be given back
    std::thread m_thread;
};

// The entry of a snapshot, its texts converted to the entry's forms.
CRecoveryEntry EntryFromSnapshot(RecoverySnapshot snapshot);

}  // namespace kelmio
