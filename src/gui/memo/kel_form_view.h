#pragma once
// The memo pane, bottom right. It shows nothing yet; the memo list and
// its text box come with the memo pane's own work.

#include "gui/app/pane_view.h"
#include "platform/panes.h"

namespace kelmio {

class CKelFormView final : public CPaneView, public CMemoPane {
public:
    explicit CKelFormView(wxWindow* parent);

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    // CMemoPane. Until the memo list is built there is no memo text being edited
    // and nothing to list: the project's memos stay as they were read.
    void SaveMemoText() override {}
    void OnInitialUpdate() override {}
};

}  // namespace kelmio
