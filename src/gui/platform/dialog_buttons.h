#pragma once
// The OK and ｷｬﾝｾﾙ buttons that close Kelmio's small dialogs, laid out as the
// desktop orders them. OK is the default button, so Enter in a field
// confirms the dialog.

class wxStdDialogButtonSizer;
class wxWindow;

namespace kelmio {

wxStdDialogButtonSizer* OkCancelButtons(wxWindow& dialog);

}  // namespace kelmio
