#include "gui/editor/translation_print.h"

#include <wx/print.h>

#include "gui/editor/edit_x_ctrl.h"
#include "gui/editor/printer_setup.h"
#include "gui/editor/translation_preview.h"
#include "gui/platform/wx_text.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

wxString JobTitle() { return WxText("Kelmio"); }

void ReportPrintFailure(CPrompter* prompter) {
    if (prompter == nullptr) return;
    static const std::string text = SjisText("印刷を開始できませんでした。");
    prompter->Message(text, MessageButtons::kOk, MessageIcon::kExclamation);
}

}  // namespace

bool PrintTranslation(wxWindow* parent, CPrinterSetup& printer, const CPrintMargins& margins,
                      const CPrintSource& source, bool showDialog, CPrompter* prompter) {
    wxPrintDialogData dialogData(printer.PrintData());
    wxPrinter wxprinter(&dialogData);
    CTranslationPrintout printout(JobTitle(), source, margins);
    if (wxprinter.Print(parent, &printout, showDialog)) {
        // The printer chosen in the dialog stays the current one.
        printer.PrintData() = wxprinter.GetPrintDialogData().GetPrintData();
        return true;
    }
    if (wxPrinter::GetLastError() == wxPRINTER_ERROR) ReportPrintFailure(prompter);
    return false;
}

bool PreviewTranslation(wxWindow* parent, CPrinterSetup& printer, const CPrintMargins& margins,
                        const CPrintSource& source, CPrompter* prompter) {
    const wxPrintDialogData dialogData(printer.PrintData());
    auto* preview = new CTranslationPreview(new CTranslationPrintout(JobTitle(), source, margins),
                                            new CTranslationPrintout(JobTitle(), source, margins), dialogData);
    if (!preview->IsOk()) {
        delete preview;
        ReportPrintFailure(prompter);
        return false;
    }
    wxWindow* owner = parent != nullptr ? wxGetTopLevelParent(parent) : nullptr;
    auto* frame = new CPreviewFrame(preview, owner, WxText("印刷ﾌﾟﾚﾋﾞｭｰ"));
    frame->Initialize();
    frame->Show();
    frame->TakeKeyboard();
    return true;
}

bool PrintTranslationText(wxWindow* parent, const std::string& sjisText, CSettings& settings, bool showDialog) {
    CPrintMargins margins;
    margins.Load(settings);
    CEditorSettings editor;
    editor.Load(settings);
    CPrintSource source{sjisText, editor.m_nTabSize, editor.m_strFontName, static_cast<double>(editor.m_nFontSize)};
    CPrinterSetup printer;
    return PrintTranslation(parent, printer, margins, source, showDialog, nullptr);
}

}  // namespace kelmio
