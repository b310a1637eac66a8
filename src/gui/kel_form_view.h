#pragma once
// The memo pane, bottom right. It shows nothing yet; the memo list and
// its text box come with the memo pane's own work.

#include "pane_view.h"

namespace kelmio {

class CKelFormView final : public CPaneView {
public:
    explicit CKelFormView(wxWindow* parent);

    std::optional<CommandState> QueryCommand(int nID) const override;
    bool OnCommand(int nID) override;
};

}  // namespace kelmio
