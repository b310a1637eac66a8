#include "gui/platform/dialog_buttons.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include "gui/platform/wx_text.h"

namespace kelmio {

wxStdDialogButtonSizer* OkCancelButtons(wxWindow& dialog) {
    auto* buttons = new wxStdDialogButtonSizer();
    auto* ok = new wxButton(&dialog, wxID_OK, "OK");
    ok->SetDefault();
    buttons->AddButton(ok);
    buttons->AddButton(new wxButton(&dialog, wxID_CANCEL, WxText("ｷｬﾝｾﾙ")));
    buttons->Realize();
    return buttons;
}

}  // namespace kelmio
