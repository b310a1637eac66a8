#include "gui/memo/kel_form_view.h"

#include <algorithm>
#include <array>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "commands/command_ids.h"
#include "commands/menu_table.h"
#include "memo/memo_layout.h"
#include "gui/app/menu_builder.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

// Memos keep CR LF line ends; the text control works with "\n".
wxString ToEditText(const std::string& sjis) {
    wxString text = ToWx(sjis);
    text.Replace("\r\n", "\n");
    return text;
}

std::string FromEditText(const wxString& text) {
    wxString crlf = text;
    crlf.Replace("\r\n", "\n");
    crlf.Replace("\n", "\r\n");
    return FromWx(crlf);
}

std::string Utf8Of(const wxTextCtrl& edit) { return edit.GetValue().utf8_string(); }

// The Shift-JIS byte offset of a position in the control's text.
std::size_t SjisOffset(const wxString& text, long position) {
    const auto length = static_cast<long>(text.length());
    return FromEditText(text.Left(static_cast<std::size_t>(std::clamp(position, 0L, length)))).size();
}

}  // namespace

CKelFormView::CKelFormView(wxWindow* parent, CPrompter& prompter)
    : CPaneView(parent, wxID_ANY), m_prompter(prompter) {
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    m_pLookupBox = new wxTextCtrl(this, kLookupBoxId, "", wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    m_pDicButton = new wxButton(this, kDicButtonId, WxText("辞書"));
    m_pDicButton->SetDefault();
    m_pMemoList = new wxChoice(this, kMemoListId);
    m_pMemoEdit = new wxTextCtrl(this, kMemoEditId, "", wxDefaultPosition, wxDefaultSize,
                                 wxTE_MULTILINE | wxVSCROLL);

    // Enter in the lookup box presses the default button; in the memo edit
    // it is a line break, as the multi-line control makes it.
    m_pLookupBox->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) {
        if (m_pForm) m_pForm->OnDicButton();
    });
    m_pDicButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (m_pForm) m_pForm->OnDicButton();
    });
    m_pLookupBox->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        m_lookupUndo.OnChanged(Utf8Of(*m_pLookupBox));
        ShowKeptTextSoon(*m_pLookupBox, m_lookupUndo);
        if (m_pForm) m_pForm->OnLookupBoxChange();
    });
    m_pMemoEdit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        m_memoUndo.OnChanged(Utf8Of(*m_pMemoEdit));
        ShowKeptTextSoon(*m_pMemoEdit, m_memoUndo);
        if (m_pForm) m_pForm->OnMemoEditChange();
    });
    m_pMemoList->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        if (m_pForm) m_pForm->OnListSelChange();
    });
    m_pLookupBox->Bind(wxEVT_CONTEXT_MENU, &CKelFormView::OnContextMenu, this);
    m_pMemoEdit->Bind(wxEVT_CONTEXT_MENU, &CKelFormView::OnContextMenu, this);
    for (wxWindow* control : {static_cast<wxWindow*>(m_pLookupBox), static_cast<wxWindow*>(m_pDicButton),
                              static_cast<wxWindow*>(m_pMemoList), static_cast<wxWindow*>(m_pMemoEdit)}) {
        control->Bind(wxEVT_KEY_DOWN, &CKelFormView::OnTabKey, this);
    }
    Bind(wxEVT_NAVIGATION_KEY, &CKelFormView::OnNavigationKey, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (m_pForm && m_pForm->m_bLayoutReady) LayOut();
    });
    EnableMemoEdit(false);
}

CKelFormView::~CKelFormView() = default;

void CKelFormView::AttachDocument(CKelmioDoc* doc) {
    CMemoControls& controls = *this;
    m_pForm = doc != nullptr ? std::make_unique<CMemoForm>(*doc, m_prompter, controls) : nullptr;
}

void CKelFormView::FocusPane() { m_pMemoEdit->IsEnabled() ? m_pMemoEdit->SetFocus() : m_pLookupBox->SetFocus(); }

// Tab and Shift+Tab go round the pane's own controls, as in a form. Left to
// the toolkit, Tab from the last control would leave for the next pane, the
// source text, where the keys that follow would edit the source unseen.
bool CKelFormView::MoveFocusFrom(const wxWindow* from, bool forward) {
    const std::array<wxWindow*, 4> order{m_pLookupBox, m_pDicButton, m_pMemoList, m_pMemoEdit};
    const auto found = std::find(order.begin(), order.end(), from);
    if (found == order.end()) return false;
    const std::size_t count = order.size();
    std::size_t index = static_cast<std::size_t>(found - order.begin());
    for (std::size_t step = 1; step < count; ++step) {
        index = forward ? (index + 1) % count : (index + count - 1) % count;
        wxWindow* next = order[index];
        if (next->IsShown() && next->IsEnabled() && next->CanAcceptFocusFromKeyboard()) {
            next->SetFocusFromKbd();
            return true;
        }
    }
    return true;  // the only control that can take the focus keeps it
}

void CKelFormView::OnTabKey(wxKeyEvent& event) {
    const bool plainTab = event.GetKeyCode() == WXK_TAB && !event.ControlDown() && !event.AltDown();
    if (!plainTab || !MoveFocusFrom(dynamic_cast<wxWindow*>(event.GetEventObject()), !event.ShiftDown())) event.Skip();
}

void CKelFormView::OnNavigationKey(wxNavigationKeyEvent& event) {
    if (event.IsWindowChange() || !MoveFocusFrom(event.GetCurrentFocus(), event.GetDirection())) event.Skip();
}

void CKelFormView::LayOut() {
    const wxSize client = GetClientSize();
    const wxSize button = m_pDicButton->GetBestSize();
    const MemoPaneLayout layout = LayOutMemoPane(client.x, client.y, button.x, button.y);
    const auto place = [](wxWindow* window, const PaneRect& rect) {
        window->SetSize(rect.x, rect.y, rect.width, rect.height);
    };
    place(m_pDicButton, layout.button);
    place(m_pLookupBox, layout.lookupBox);
    // A drop-down list takes the height it needs, whatever it is given.
    m_pMemoList->SetSize(layout.memoList.x, layout.memoList.y, layout.memoList.width, -1);
    const int listHeight = m_pMemoList->GetSize().y;
    place(m_pMemoEdit, MemoEditRect(client.x, client.y, button.y, listHeight));
    Refresh();
}

// ---- CMemoPane -----------------------------------------------------------

void CKelFormView::SaveMemoText() {
    if (m_pForm) m_pForm->SaveMemoText();
}

void CKelFormView::OnInitialUpdate() {
    if (!m_pForm) return;
    // Without a project file the application's start-up asks for a new
    // project itself once the window shows; the pane need not ask again.
    m_pForm->OnInitialUpdate();
    LayOut();
}

void CKelFormView::SelectMemo(int index) {
    if (m_pForm) m_pForm->SelectMemo(index);
}

int CKelFormView::SelectedMemo() const { return m_pForm ? m_pForm->ShownMemo() : -1; }

void CKelFormView::OnContentsDeleted() {
    if (m_pForm) m_pForm->OnContentsDeleted();
}

// ---- CMemoControls -------------------------------------------------------

void CKelFormView::SetListEntries(const std::vector<std::string>& entries) {
    wxArrayString items;
    for (const std::string& entry : entries) items.Add(ToWx(entry));
    m_pMemoList->Set(items);
}

void CKelFormView::SelectListEntry(int index) { m_pMemoList->SetSelection(index < 0 ? wxNOT_FOUND : index); }

int CKelFormView::SelectedListEntry() const {
    const int selection = m_pMemoList->GetSelection();
    return selection == wxNOT_FOUND ? -1 : selection;
}

void CKelFormView::EnableMemoEdit(bool enable) { m_pMemoEdit->Enable(enable); }

std::string CKelFormView::LookupBoxText() const { return FromWx(m_pLookupBox->GetValue()); }

std::string CKelFormView::MemoEditText() const { return FromEditText(m_pMemoEdit->GetValue()); }

// A text the program shows leaves nothing to undo in that box. The memo
// edit is shown a memo's text each time, even when it already held the same
// text (another memo's); the lookup box keeps what the user is typing.
void CKelFormView::ShowTexts(const std::string& word, const std::string& memo) {
    if (LookupBoxText() != word) {
        m_pLookupBox->ChangeValue(ToWx(word));
        m_lookupUndo.Reset(Utf8Of(*m_pLookupBox));
    }
    if (MemoEditText() != memo) m_pMemoEdit->ChangeValue(ToEditText(memo));
    m_memoUndo.Reset(Utf8Of(*m_pMemoEdit));
}

// ---- commands ------------------------------------------------------------

std::optional<CommandState> CKelFormView::QueryCommand(CommandId id) const {
    if (IsMemoEditCommand(id)) return CommandState{};
    switch (id) {
        case ID_MEMO_ADD:
        case ID_MEMO_DELETE:
        case ID_MEMO_RENAME:
        case ID_DIC_LOOKUP:
            return CommandState{m_pForm != nullptr, false};
        default:
            return std::nullopt;
    }
}

bool CKelFormView::OnCommand(CommandId id) {
    if (IsMemoEditCommand(id)) {
        RunEditCommand(id);
        return true;
    }
    if (!m_pForm) return false;
    switch (id) {
        case ID_MEMO_ADD: m_pForm->OnMemoAdd(); return true;
        case ID_MEMO_DELETE: m_pForm->OnMemoDelete(); return true;
        case ID_MEMO_RENAME: m_pForm->OnMemoRename(); return true;
        case ID_DIC_LOOKUP: LookUpFromMemo(); return true;
        default: return false;
    }
}

void CKelFormView::RunEditCommand(CommandId id) {
    const bool lookupBox = EditCommandTarget(FindFocus() == m_pLookupBox) == MemoEditTarget::kLookupBox;
    wxTextCtrl& edit = lookupBox ? *m_pLookupBox : *m_pMemoEdit;
    switch (id) {
        case ID_EDIT_UNDO: Undo(edit, lookupBox ? m_lookupUndo : m_memoUndo); break;
        case ID_EDIT_CUT: edit.Cut(); break;
        case ID_EDIT_COPY: edit.Copy(); break;
        case ID_EDIT_PASTE: edit.Paste(); break;
        // A one-line box keeps its caret in view by itself, and showing a
        // position there would move the caret and drop the selection.
        case ID_EDIT_SELECT_ALL:
            edit.SelectAll();
            if (edit.IsMultiLine()) edit.ShowPosition(edit.GetInsertionPoint());
            break;
        case ID_EDIT_GOTO_TOP:
            edit.SetInsertionPoint(0);
            if (edit.IsMultiLine()) edit.ShowPosition(0);
            break;
        case ID_EDIT_GOTO_END:
            edit.SetInsertionPointEnd();
            if (edit.IsMultiLine()) edit.ShowPosition(edit.GetLastPosition());
            break;
        default: break;
    }
}

// Memos and the lookup box keep Shift-JIS: a character typed or pasted
// without a Shift-JIS form is shown as the "?" it will be kept as, at once
// rather than only after the memo was stored. The toolkit is still inside
// the change when it reports it, so the text is replaced just after.
void CKelFormView::ShowKeptTextSoon(wxTextCtrl& edit, CEditUndo& undo) {
    if (CountCharsWithoutCp932Form(Utf8Of(edit)) == 0) return;
    CallAfter([&edit, &undo] {
        if (CountCharsWithoutCp932Form(Utf8Of(edit)) == 0) return;
        // Each such character becomes one "?", so positions stay where they were.
        const long caret = edit.GetInsertionPoint();
        edit.ChangeValue(ToEditText(FromEditText(edit.GetValue())));
        edit.SetInsertionPoint(std::min(caret, edit.GetLastPosition()));
        undo.OnShownAs(Utf8Of(edit));
    });
}

// The box shows its text before the last edit; the change is reported like
// any other, so the memo counts as edited and the lookup box searches.
void CKelFormView::Undo(wxTextCtrl& edit, CEditUndo& undo) {
    const std::optional<UndoneText> undone = undo.Undo();
    if (!undone) return;
    edit.SetValue(wxString::FromUTF8(undone->text));
    edit.SetInsertionPoint(static_cast<long>(wxString::FromUTF8(undone->text.substr(0, undone->caret)).length()));
}

void CKelFormView::LookUpFromMemo() {
    const wxString text = m_pMemoEdit->GetValue();
    long from = 0;
    long to = 0;
    m_pMemoEdit->GetSelection(&from, &to);
    m_pForm->OnLookupFromMemo(FromEditText(text), SjisOffset(text, from), SjisOffset(text, to));
}

void CKelFormView::OnContextMenu(wxContextMenuEvent& event) {
    auto* control = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (control == nullptr) return;
    std::unique_ptr<wxMenu> menu = BuildPopupMenu(ContextMenu(ContextMenuKind::kMemo));
    wxPoint at = event.GetPosition();
    at = at == wxDefaultPosition ? wxPoint(0, 0) : control->ScreenToClient(at);
    control->PopupMenu(menu.get(), at);
}

}  // namespace kelmio
