#pragma once
// Keeps the recovery copy of the open project while the program runs: a
// timer asks the core keeper once a second whether a copy is due, takes
// the state from the panes cheaply on the UI thread and leaves converting
// and writing to the keeper's writer thread. When a project is shown it
// offers the work a crash left behind and puts it back on request.

#include <wx/timer.h>

#include <vector>

#include "project/kelmio_data.h"
#include "recovery/process_info.h"
#include "recovery/recovery_keeper.h"

namespace kelmio {

class CKelmioDoc;
class CPrompter;

class CRecoveryTimer {
public:
    CRecoveryTimer(CKelmioDoc& doc, CPrompter& prompter);
    CRecoveryTimer(const CRecoveryTimer&) = delete;
    CRecoveryTimer& operator=(const CRecoveryTimer&) = delete;

    // The user changed the translation, a memo or the source's text.
    void OnEdit();
    // Offers a left-behind entry of the project now shown.
    void OnProjectShown();
    void OnProjectSaved();
    // The program ends normally: the work was saved or let go.
    void OnProjectClosed();

    // One look: is there unsaved work, and is a copy due.
    void Tick();
    CRecoveryKeeper& Keeper() { return m_keeper; }

private:
    bool HasUnsavedWork();
    RecoverySnapshot TakeSnapshot();

    CKelmioDoc& m_doc;
    CPrompter& m_prompter;
    CSystemProcessInfo m_processes;
    CRecoveryKeeper m_keeper;
    std::vector<CKelmioMemo> m_savedMemos;  // the memos as the project file holds them
    wxTimer m_timer;
};

}  // namespace kelmio
