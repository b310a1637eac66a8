#pragma once
// The memo pane, bottom right: the lookup box with its default button
// "辞書", the list of memo titles and the memo's text. A thin binding of
// these widgets to CMemoForm, which decides everything.

#include <memory>

#include <wx/event.h>

#include "memo/edit_undo.h"
#include "memo/memo_form.h"
#include "gui/app/pane_view.h"
#include "platform/panes.h"

class wxButton;
class wxChoice;
class wxContextMenuEvent;
class wxTextCtrl;

namespace kelmio {

class CKelmioDoc;
class CPrompter;

class CKelFormView final : public CPaneView, public CMemoPane, private CMemoControls {
public:
    static constexpr int kLookupBoxId = 1018;
    static constexpr int kDicButtonId = 1019;
    static constexpr int kMemoListId = 1002;
    static constexpr int kMemoEditId = 1003;

    CKelFormView(wxWindow* parent, CPrompter& prompter);
    ~CKelFormView() override;

    // The document whose memos the pane shows; null detaches it.
    void AttachDocument(CKelmioDoc* doc);

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;
    void FocusPane() override;

    // CMemoPane
    void SaveMemoText() override;
    void OnInitialUpdate() override;
    void SelectMemo(int index) override;
    int SelectedMemo() const override;
    void OnContentsDeleted() override;

    wxTextCtrl& LookupBox() const { return *m_pLookupBox; }
    wxTextCtrl& MemoEdit() const { return *m_pMemoEdit; }
    wxChoice& MemoList() const { return *m_pMemoList; }
    wxButton& DicButton() const { return *m_pDicButton; }

private:
    // CMemoControls
    void SetListEntries(const std::vector<std::string>& entries) override;
    void SelectListEntry(int index) override;
    int SelectedListEntry() const override;
    void EnableMemoEdit(bool enable) override;
    std::string LookupBoxText() const override;
    std::string MemoEditText() const override;
    void ShowTexts(const std::string& word, const std::string& memo) override;

    void LayOut();
    void OnContextMenu(wxContextMenuEvent& event);
    bool MoveFocusFrom(const wxWindow* from, bool forward);
    void OnTabKey(wxKeyEvent& event);
    void OnNavigationKey(wxNavigationKeyEvent& event);
    void RunEditCommand(CommandId id);
    void Undo(wxTextCtrl& edit, CEditUndo& undo);
    void ShowKeptTextSoon(wxTextCtrl& edit, CEditUndo& undo);
    void LookUpFromMemo();

    CPrompter& m_prompter;
    std::unique_ptr<CMemoForm> m_pForm;
    // The toolkit's edit boxes keep no undo of their own here.
    CEditUndo m_lookupUndo;
    CEditUndo m_memoUndo;
    wxTextCtrl* m_pLookupBox;
    wxButton* m_pDicButton;
    wxTextCtrl* m_pMemoEdit;
    wxChoice* m_pMemoList;
};

}  // namespace kelmio
