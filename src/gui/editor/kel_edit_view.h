#pragma once
// The translation editor pane: the editor view bound to the project
// document through the CEditPane interface. A failed load is reported here,
// through the prompter; a save's result goes back to the document, which
// reports it.

#include <functional>

#include "gui/editor/edit_x_view.h"
#include "platform/panes.h"
#include "platform/prompter.h"

namespace kelmio {

class CKelEditView final : public CEditXView, public CEditPane {
public:
    CKelEditView(wxWindow* parent, CSettings& settings, CPrompter& prompter);

    // CEditPane
    bool GetModified() const override;
    void PutModified(bool modified) override;
    EditSaveResult SaveFile(const CFilePath& path) override;
    std::size_t CharsWithoutSjisForm() const override;
    void LoadFile(const CFilePath& path) override;
    int SelStart() const override;
    int FirstVisibleLine() const override;
    void ClearText() override;
    void ScrollDown(int lines) override;
    void SetCaret(int offset) override;
    void CopyTextUtf8(std::string& text) const override;
    std::size_t TextLengthUtf8() const override;
    void RestoreText(const std::string& sjis) override;

    // Called when the user changes the text and it is now modified; the
    // document marks the project modified.
    void SetModifiedHandler(std::function<void()> handler) { m_onModified = std::move(handler); }

    // Hands a word (Shift-JIS) to the document's dictionary lookup.
    void SetLookupHandler(std::function<bool(const std::string&)> handler) { m_onLookup = std::move(handler); }

    // The source viewer, which carries out the browser-mode toggle asked
    // for here (none: the command is not offered).
    void SetSourceView(CCommandTarget* source) { m_pSource = source; }

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;

private:
    // The editor settings dialog on the given pages; applied and kept on OK.
    void RunSettingsDialog(unsigned pages);
    // The selection, or the word at the caret when nothing is selected.
    void LookUpCaretWord();
    void LookUpClipboard();

    CPrompter& m_prompter;
    std::function<void()> m_onModified;
    std::function<bool(const std::string&)> m_onLookup;
    CCommandTarget* m_pSource = nullptr;
};

}  // namespace kelmio
