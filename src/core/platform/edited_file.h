#pragma once
// A file whose text Kelmio shows for editing (a text source in the source
// pane, the translation text in the editor), watched for changes made by
// other programs while it is shown.
//
// The file as it stood when its text was read or written is kept. Before
// the text is written back, and when Kelmio gets the focus back, the file
// is compared with that: a change made elsewhere is never written over
// without the user's say, an unchanged text follows the file quietly, and
// the text of a file deleted elsewhere is kept.

#include <functional>
#include <optional>
#include <string>

#include "platform/file_path.h"
#include "platform/file_stamp.h"

namespace kelmio {

class CPrompter;

// What to do with a save that would write over another program's change.
enum class SaveOverChoice {
    kWrite,   // write the text
    kReload,  // write nothing: the text is read again from the file
    kCancel,  // write nothing, keep the text
};

// What to do with the shown text when Kelmio gets the focus back.
enum class ReturnAction {
    kNothing,
    kReload,    // read the text again from the file, keeping the place
    kKeepText,  // the file is gone: the text becomes unsaved work
};

class CEditedFile {
public:
    // The text now shown was just read from `path`, or written to it (a
    // file that does not exist yet is watched for its coming).
    void Take(const CFilePath& path);
    // No file's text is shown any more.
    void Forget();
    bool IsWatching() const { return m_known.has_value(); }
    const CFilePath& Path() const { return m_path; }

    // Before the text is written to `path`: kWrite when that is not the
    // watched file, when nobody else changed it, or when it was deleted
    // (the save makes it again); otherwise the user is asked, Yes writing
    // over the change, No reading the file again, Cancel writing nothing.
    SaveOverChoice BeforeSave(CPrompter& prompter, const CFilePath& path) const;

    // Kelmio has the focus again. `modified`: the text has unsaved changes
    // (they are kept; the save asks). A changed file reloads a text without
    // changes. A deleted file's text, unless `holdsText` says it is empty
    // (asked only then), is kept as unsaved work, and the user is told so
    // once.
    ReturnAction OnFocusReturn(CPrompter& prompter, bool modified, const std::function<bool()>& holdsText);

private:
    CFilePath m_path;
    std::optional<CFileStamp> m_known;
};

// "<path> は他のプログラムで変更されています。..." with Yes, No and Cancel
// explained.
std::string OutsideChangeQuestion(const CFilePath& path);
// "<path> は他のプログラムで削除されています。..."
std::string OutsideDeletionNotice(const CFilePath& path);

}  // namespace kelmio
