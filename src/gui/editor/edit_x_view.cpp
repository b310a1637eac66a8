#include "gui/editor/edit_x_view.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stc/stc.h>

#include "commands/command_ids.h"
#include "commands/menu_table.h"
#include "gui/app/menu_builder.h"
#include "gui/editor/editor_find.h"
#include "gui/editor/page_setup_dlg.h"
#include "gui/editor/sjis_marks.h"
#include "gui/platform/wx_text.h"
#include "gui/editor/translation_print.h"

namespace kelmio {
namespace {

// The view commands the component carries out (their records name the operation).
bool IsComponentCommand(CommandId id) {
    switch (id) {
        case ID_EDIT_UNDO:
        case ID_EDIT_REDO:
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_PASTE:
        case ID_EDIT_SELECT_ALL:
        case ID_EDIT_FIND:
        case ID_EDIT_REPEAT:
        case ID_EDIT_REPLACE:
            return true;
        default:
            return false;
    }
}

bool IsPrintCommand(CommandId id) {
    return id == ID_FILE_PAGE_SETUP || id == ID_FILE_PRINT || id == ID_FILE_PRINT_DIRECT ||
           id == ID_FILE_PRINT_PREVIEW;
}

}  // namespace

CEditXView::CEditXView(wxWindow* parent, CSettings& settings, CPrompter& prompter)
    : CPaneView(parent, wxID_ANY), m_settings(settings), m_prompter(prompter), m_ctrl(this) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(&m_ctrl.Widget(), 1, wxEXPAND);
    SetSizer(sizer);
    m_ctrl.LoadSettings(m_settings);
    m_ctrl.Widget().Bind(wxEVT_CONTEXT_MENU, &CEditXView::OnContextMenu, this);
    m_ctrl.Find().SetReportHandler([this](std::string_view text, MessageIcon icon) {
        m_prompter.Message(text, MessageButtons::kOk, icon);
    });
    m_margins.Load(m_settings);
    m_ctrl.SjisMarks().SetNoteHandler([this](const std::string& note) {
        if (auto* frame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(this)); frame != nullptr && frame->GetStatusBar()) {
            frame->SetStatusText(ToWx(note), 0);
        }
    });
}

CEditXView::~CEditXView() { m_ctrl.SaveSettings(m_settings); }

std::optional<CommandState> CEditXView::QueryCommand(CommandId id) const {
    if (IsPrintCommand(id)) return CommandState{};
    if (!IsComponentCommand(id) && id != ID_EDIT_CLEAR) return std::nullopt;
    return EditViewCommandState(id, m_ctrl);
}

bool CEditXView::OnCommand(CommandId id) {
    if (IsPrintCommand(id)) return OnPrintCommand(id);
    if (id == ID_EDIT_CLEAR) {
        m_ctrl.SetSelText("");
        return true;
    }
    if (!IsComponentCommand(id)) return false;
    m_ctrl.ExecCommand(*EditorOperationOf(id));
    return true;
}

void CEditXView::FocusPane() { m_ctrl.Widget().SetFocus(); }

void CEditXView::OnContextMenu(wxContextMenuEvent& event) {
    wxStyledTextCtrl& edit = m_ctrl.Widget();
    // From the keyboard the menu opens just below the caret.
    const wxPoint at = event.GetPosition() == wxDefaultPosition ? m_ctrl.PointBelowCaret()
                                                                : edit.ScreenToClient(event.GetPosition());
    std::unique_ptr<wxMenu> menu = BuildPopupMenu(ContextMenu(ContextMenuKind::kEdit));
    edit.PopupMenu(menu.get(), at);
}

CPrintSource CEditXView::PrintSource() const {
    return {m_ctrl.GetText(), m_ctrl.GetTabSize(), m_ctrl.GetFontName(), static_cast<double>(m_ctrl.GetFontSize())};
}

bool CEditXView::OnPrintCommand(CommandId id) {
    wxWindow* owner = wxGetTopLevelParent(this);
    switch (id) {
        case ID_FILE_PAGE_SETUP: RunPageSetup(owner, *m_pPrinter, m_margins, m_settings); break;
        case ID_FILE_PRINT: PrintTranslation(owner, *m_pPrinter, m_margins, PrintSource(), true, &m_prompter); break;
        case ID_FILE_PRINT_DIRECT:
            PrintTranslation(owner, *m_pPrinter, m_margins, PrintSource(), false, &m_prompter);
            break;
        case ID_FILE_PRINT_PREVIEW: PreviewTranslation(owner, *m_pPrinter, m_margins, PrintSource(), &m_prompter); break;
        default: return false;
    }
    return true;
}

}  // namespace kelmio
