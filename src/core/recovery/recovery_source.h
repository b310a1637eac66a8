#pragma once
// The source's unsaved edit in a recovery copy: the form an entry keeps it
// in, and what restoring does with it.
//
// An entry keeps the text as the core holds a source: Shift-JIS for a
// Japanese or plain source, UTF-8 for a Unicode one (converting that to
// Shift-JIS could lose characters). It goes back into the source pane only
// when the project's source is still that file and shown as plain text.
// Otherwise the edit is written, as its own file would be, to a new file in
// the recovery folder, and the user is told where: the work is not lost and
// no file of the user's is written over.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/panes.h"
#include "recovery/recovery_entry.h"

namespace kelmio {

class CKelmioDoc;
class CPrompter;

// The entry's form of the pane's edit (the text converted where needed).
RecoverySource RecoverySourceFromEdit(const SourceTextEdit& edit);
// The pane's form of an entry's source.
SourceTextEdit EditFromRecoverySource(const RecoverySource& source);

// The bytes of the source file holding the entry's text, in the encoding
// and line ends it was read with.
std::string RecoverySourceFileBytes(const RecoverySource& source);

// Where a source's edit that could not be restored is kept: a new file
// in `folder` named after the source and the time of the copy, with the
// source's extension so that it opens as the source did.
CFilePath SetAsidePath(const CFilePath& folder, const CFilePath& sourcePath, std::int64_t copyTime);

enum class SourceRecoveryOutcome {
    kNone,       // the entry holds no source edit
    kRestored,   // back in the source pane as an unsaved edit
    kSetAside,   // written to a file in the recovery folder; the user was told where
    kNotKept,    // could not be written there either; the user was told, the entry is to stay as it is
};

// Puts the entry's source edit back, or keeps it aside in `folder`.
SourceRecoveryOutcome ApplySourceRecovery(CKelmioDoc& doc, const CRecoveryEntry& entry, const CFilePath& folder,
                                          CPrompter& prompter);

}  // namespace kelmio
