// Every text of the toolkit's own dialogs is Japanese, as the rest of Kelmio.

#include <gtest/gtest.h>
#include <libintl.h>
#include <wx/fdrepdlg.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/intl.h>

#include "gui/editor/edit_x_ctrl.h"
#include "gui/editor/editor_find.h"
#include "gui/platform/gtk_style.h"
#include "gui_support.h"

namespace kelmio {
namespace {

wxWindow* OpenTopLevel(const wxClassInfo* kind) {
    for (wxWindow* window : wxTopLevelWindows) {
        if (window->IsKindOf(kind) && window->IsShown()) return window;
    }
    return nullptr;
}

void ExpectJapanese(const wxWindow& window) {
    for (const wxString& text : test::ShownTexts(window)) {
        EXPECT_FALSE(test::LooksEnglish(text)) << text.utf8_string();
    }
}

TEST(JapaneseUiTest, ToolkitAndGtkCataloguesAnswerInJapanese) {
    EXPECT_EQ(wxGetTranslation("Page %d of %d"), wxString::FromUTF8("%dページ (%dページ中)"));
    EXPECT_EQ(wxGetTranslation("Close"), wxString::FromUTF8("閉じる"));
    // GTK's own choosers and font dialog take their texts from this catalogue.
    EXPECT_STREQ(dgettext("gtk30", "Pick a Font"), "フォントの選択");
    EXPECT_STREQ(dgettext("gtk30", "_Cancel"), "キャンセル(_C)");
}

TEST(JapaneseUiTest, FileChooserButtonsAreJapanese) {
    // The toolkit's catalogue has no "&Open"; Kelmio labels the buttons.
    for (const bool open : {true, false}) {
        wxFileDialog chooser(nullptr, "x", "", "", "*", open ? wxFD_OPEN : wxFD_SAVE);
        LabelFileChooserButtons(chooser, open);
        EXPECT_EQ(FileChooserAcceptLabel(chooser), open ? "開く(_O)" : "保存(_S)");
    }
}

TEST(JapaneseUiTest, FindAndReplaceDialogsShowOnlyJapaneseTexts) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "find");
    {
        CEditXCtrl ctrl(frame);
        frame->Show();
        for (EditorOperation operation : {EditorOperation::kFind, EditorOperation::kReplace}) {
            ctrl.ExecCommand(operation);
            test::Pump();
            wxWindow* dialog = OpenTopLevel(wxCLASSINFO(wxFindReplaceDialog));
            ASSERT_NE(dialog, nullptr);
            ExpectJapanese(*dialog);
            if (operation == EditorOperation::kFind) test::SaveScreenshot(*dialog, "find-dialog.png");
            dialog->Destroy();
            test::Pump();
        }
    }
    frame->Destroy();
    test::Pump();
}

}  // namespace
}  // namespace kelmio
