#pragma once
// The three panes of the main window as the project document sees them.
//
// The document asks the panes for their state before it writes a project and
// tells them when the project changed; it never touches a widget. The
// application's views implement these; tests use simple fakes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_error.h"
#include "platform/file_path.h"

namespace kelmio {

class CKelmioPosData;

// A text source as the source pane holds it while it is edited: what a
// recovery copy keeps of it, and what is put back.
struct SourceTextEdit {
    CFilePath strPath;         // the source file
    int nEncoding = 0;         // how it was read (encoding/text_encoding.h numbers)
    int nLineEnd = 0;
    std::string strTextUtf8;   // the pane's text

    bool operator==(const SourceTextEdit&) const = default;
};

// Update hints sent to the views.
constexpr int kHintSourceChanged = 8;
constexpr int kHintSettingsChanged = 9;

// What saving the translation text gave.
struct EditSaveResult {
    std::optional<FileError> error;  // not saved: the old file is unchanged
    std::size_t unconvertible = 0;  // saved, with this many characters as "?" for want of a Shift-JIS form

    bool ok() const { return !error.has_value(); }
};

// The translation editor.
class CEditPane {
public:
    virtual ~CEditPane() = default;

    virtual bool GetModified() const = 0;
    virtual void PutModified(bool modified) = 0;
    // Shift-JIS file with CR LF line ends. Saving neither reports nor
    // touches the modified flag: the caller does both, knowing the result.
    virtual EditSaveResult SaveFile(const CFilePath& path) = 0;
    // How many characters of the text have no Shift-JIS form: a save
    // writes each of them as "?".
    virtual std::size_t CharsWithoutSjisForm() const = 0;
    // A missing file gives an empty text; the editor reports other failures.
    virtual void LoadFile(const CFilePath& path) = 0;
    // Caret position as a byte offset in the Shift-JIS text.
    virtual int SelStart() const = 0;
    // First visible line (0-based).
    virtual int FirstVisibleLine() const = 0;

    // Showing a project: an empty text, scrolling down by whole lines, and
    // an empty selection at a byte offset.
    virtual void ClearText() = 0;
    virtual void ScrollDown(int lines) = 0;
    virtual void SetCaret(int offset) = 0;

    // The text as the editor holds it (UTF-8) into `text`, whose storage is
    // reused, taken without converting so that a recovery copy costs the
    // UI thread no more than a copy.
    virtual void CopyTextUtf8(std::string& text) const = 0;
    // The length of that text in bytes, without copying it.
    virtual std::size_t TextLengthUtf8() const = 0;
    // Replaces the text with `sjis` (CR LF lines) as an unsaved change.
    virtual void RestoreText(const std::string& sjis) = 0;
};

// The source viewer.
class CSourcePane {
public:
    virtual ~CSourcePane() = default;

    // Stores scroll position, zoom and browser mode into the display state.
    virtual void SaveViewState(CKelmioPosData& pos) = 0;
    // Asks about an unsaved image; false when the user cancelled.
    virtual bool QuerySaveImage() = 0;
    // A project was created or opened: show its source and display state.
    virtual void OnInitialUpdate() = 0;
    // The project changed: hint 8 or 9 makes the viewer show the source again.
    virtual void OnUpdate(int hint) = 0;

    // True while a plain-text source is shown with unsaved edits.
    virtual bool IsTextModified() const = 0;
    // That edit, copied without converting (a recovery copy costs the UI
    // thread no more than a copy); nullopt when no plain text is edited.
    virtual std::optional<SourceTextEdit> CopyModifiedText() const = 0;
    // Shows `edit` as an unsaved edit of the shown source; false, changing
    // nothing, unless that source is `edit.strPath` shown as plain text.
    virtual bool RestoreModifiedText(const SourceTextEdit& edit) = 0;
};

// The memo pane.
class CMemoPane {
public:
    virtual ~CMemoPane() = default;

    // Stores the text being edited into the selected memo.
    virtual void SaveMemoText() = 0;
    // A project was created or opened: list its memos.
    virtual void OnInitialUpdate() = 0;
    // Lists the memos again and shows the memo at `index` (none when it is
    // not a memo's index).
    virtual void SelectMemo(int index) = 0;
    // The memo whose text the pane shows; -1 when none.
    virtual int SelectedMemo() const = 0;
    // The project record was emptied: what the pane shows belongs to no
    // memo any more until the memos are listed again.
    virtual void OnContentsDeleted() = 0;
};

}  // namespace kelmio
