#include "gui/editor/kel_edit_view.h"

#include <wx/stc/stc.h>

#include <algorithm>

#include "commands/command_ids.h"
#include "gui/platform/clipboard_text.h"
#include "gui/platform/stc_copy.h"
#include "editor/edit_command_rules.h"
#include "gui/editor/editor_settings_dlg.h"
#include "gui/editor/sjis_marks.h"
#include "gui/platform/wx_text.h"
#include "text/word.h"

namespace kelmio {

CKelEditView::CKelEditView(wxWindow* parent, CSettings& settings, CPrompter& prompter)
    : CEditXView(parent, settings, prompter), m_prompter(prompter) {
    Editor().SetTextChangedHandler([this] {
        if (Editor().GetModified() && m_onModified) m_onModified();
    });
}

bool CKelEditView::GetModified() const { return Editor().GetModified(); }

void CKelEditView::PutModified(bool modified) { Editor().PutModified(modified); }

EditSaveResult CKelEditView::SaveFile(const CFilePath& path) { return Editor().SaveFile(path); }

std::size_t CKelEditView::CharsWithoutSjisForm() const { return Editor().SjisMarks().Count(); }

void CKelEditView::LoadFile(const CFilePath& path) {
    if (const auto error = Editor().LoadFile(path)) {
        m_prompter.Message(FileErrorMessage(*error), MessageButtons::kOk, MessageIcon::kExclamation);
    }
}

int CKelEditView::SelStart() const { return static_cast<int>(Editor().SelStart()); }

int CKelEditView::FirstVisibleLine() const { return Editor().GetFirstVisible(); }

void CKelEditView::ClearText() { Editor().SetText(""); }

void CKelEditView::ScrollDown(int lines) { Editor().ScrollTo(Editor().GetFirstVisible() + lines); }

// Restoring a project's position: the first visible line was put back
// just before and stays, wherever the caret is.
void CKelEditView::SetCaret(int offset) { Editor().PlaceCaret(offset < 0 ? 0 : static_cast<std::size_t>(offset)); }

std::optional<CommandState> CKelEditView::QueryCommand(CommandId id) const {
    if (id == ID_VIEW_EDITOR_SETTINGS || id == ID_VIEW_FONT) return CommandState{};
    if (id == ID_DIC_LOOKUP || id == ID_DIC_LOOKUP_CLIPBOARD) return CommandState{};
    if (id == ID_VIEW_BROWSER_MODE && m_pSource != nullptr) {
        const std::optional<CommandState> viewer = m_pSource->QueryCommand(id);
        return CommandState{true, viewer && viewer->bChecked};
    }
    if (auto state = TranslationViewCommandState(id, Editor())) return state;
    return CEditXView::QueryCommand(id);
}

bool CKelEditView::OnCommand(CommandId id) {
    if (id == ID_VIEW_EDITOR_SETTINGS || id == ID_VIEW_FONT) {
        RunSettingsDialog(id == ID_VIEW_FONT ? kPageFont : kAllPages);
        return true;
    }
    if (id == ID_DIC_LOOKUP) {
        LookUpCaretWord();
        return true;
    }
    if (id == ID_DIC_LOOKUP_CLIPBOARD) {
        LookUpClipboard();
        return true;
    }
    if (id == ID_VIEW_BROWSER_MODE && m_pSource != nullptr) {
        // The source is shown again; the typing goes on here.
        m_pSource->OnCommand(id);
        FocusPane();
        return true;
    }
    if (const auto command = TranslationViewComponentCommand(id)) {
        Editor().ExecCommand(*command);
        return true;
    }
    return CEditXView::OnCommand(id);
}

void CKelEditView::LookUpCaretWord() {
    if (!m_onLookup) return;
    const std::string text = Editor().GetText();
    const std::size_t start = std::min(Editor().SelStart(), text.size());
    const std::size_t end = std::min(start + Editor().SelLength(), text.size());
    m_onLookup(start == end ? GetWordAt(text, start) : text.substr(start, end - start));
}

void CKelEditView::LookUpClipboard() {
    if (!m_onLookup) return;
    std::optional<std::string> text = ClipboardText();
    if (text) m_onLookup(*text);
}

void CKelEditView::RunSettingsDialog(unsigned pages) {
    CEditorSettingsDlg dialog(wxGetTopLevelParent(this), Editor().GetEditorSettings(), pages);
    if (dialog.ShowModal() != wxID_OK) return;
    Editor().ApplySettings(dialog.Result());
    Editor().SaveSettings(Settings());
}

}  // namespace kelmio

namespace kelmio {

void CKelEditView::CopyTextUtf8(std::string& text) const { CopyControlText(Editor().Widget(), text); }

std::size_t CKelEditView::TextLengthUtf8() const {
    return static_cast<std::size_t>(Editor().Widget().GetLength());
}

void CKelEditView::RestoreText(const std::string& sjis) {
    Editor().SetText(sjis);
    Editor().PutModified(true);
}

}  // namespace kelmio
