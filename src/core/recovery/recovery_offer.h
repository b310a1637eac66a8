#pragma once
// Whether to offer a recovery entry back, the question, and what the answer
// does to the entry.

#include <cstdint>
#include <string>

#include "recovery/recovery_entry.h"

namespace kelmio {

class CPrompter;
class CProcessInfo;

enum class RecoveryOutcome {
    kRestore,  // put the work back as unsaved changes; the entry stays until saved
    kDiscard,  // remove the entry
    kKeep,     // leave the entry for a later start
};

// An entry is offered when the user kept it for later (`kept`) or it is
// newer than the project's files (else a save came after it), was not
// written by this process, and its writer is not still running (another
// Kelmio keeps that entry up to date).
bool ShouldOfferRecovery(const CRecoveryEntry& entry, std::int64_t projectFilesTime, bool kept,
                         const ProcessIdentity& self, const CProcessInfo& processes);

// The question, naming the project (in its display form) and the copy's
// local time.
std::string RecoveryQuestion(const CRecoveryEntry& entry);

// Asks with restore as the default answer.
RecoveryOutcome AskRecovery(CPrompter& prompter, const CRecoveryEntry& entry);

}  // namespace kelmio
