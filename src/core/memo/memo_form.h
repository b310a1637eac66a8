#pragma once
// The memo pane without its widgets: which memo the edit shows, choosing,
// adding, deleting and renaming memos, the title search of the lookup box,
// the "辞書" button and storing the edited text back into its memo.
//
// The pane's widgets are reached through CMemoControls, so every rule here
// runs in a test. Memos belong to the document; the form reads and writes
// them by index and checks every index against the current count.

#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

class CKelmioDoc;
class CPrompter;

class CMemoControls {
public:
    virtual ~CMemoControls() = default;

    // The memo list: replaced entries, the selected entry (-1: none).
    virtual void SetListEntries(const std::vector<std::string>& entries) = 0;
    virtual void SelectListEntry(int index) = 0;
    virtual int SelectedListEntry() const = 0;

    virtual void EnableMemoEdit(bool enable) = 0;

    // Data exchange: the lookup box and the memo edit (Shift-JIS; the memo
    // text with CR LF line ends). Showing texts raises no change events.
    virtual std::string LookupBoxText() const = 0;
    virtual std::string MemoEditText() const = 0;
    virtual void ShowTexts(const std::string& word, const std::string& memo) = 0;
};

class CMemoForm {
public:
    CMemoForm(CKelmioDoc& doc, CPrompter& prompter, CMemoControls& controls);

    std::string m_strWord;   // the lookup box
    std::string m_strMemo;   // the memo edit
    bool m_bLayoutReady = false;
    int m_nCurMemo = -1;     // the memo whose text the edit shows

    // The fixed last entry of the list, and the title dialog's prompt.
    static std::string NewEntryText();
    static std::string TitlePrompt();

    // Data exchange: true copies the controls into the members.
    void UpdateData(bool save);

    // A project was created or opened. True when the project has no file
    // yet, so the main window should start creating one (command 57600).
    bool OnInitialUpdate();

    void SelectMemo(int index);
    // The memo the list shows selected (whose text the edit holds); -1 when
    // none is.
    int ShownMemo() const;
    void SaveMemoText();
    void OnContentsDeleted();

    void OnListSelChange();
    void OnMemoEditChange();
    void OnLookupBoxChange();
    void OnDicButton();
    void OnMemoAdd();
    void OnMemoDelete();
    void OnMemoRename();
    // Command 3836 from the memo edit: the selection, or the word at the
    // caret when nothing is selected. Offsets are bytes of `text`.
    void OnLookupFromMemo(std::string_view text, std::size_t selStart, std::size_t selEnd);

    // The first memo whose title begins with `word` without regard to case,
    // searching memos 1 .. N-1 and then memo 0; -1 when none does.
    static int FindMemoByPrefix(const CKelmioDoc& doc, std::string_view word);

private:
    int MemoCount() const;
    bool IsMemoIndex(int index) const { return index >= 0 && index < MemoCount(); }
    void AppendMemo(std::string title);

    CKelmioDoc& m_doc;
    CPrompter& m_prompter;
    CMemoControls& m_controls;
};

}  // namespace kelmio
