#pragma once
// The source viewer, the top pane. It shows nothing yet; the commands of
// the viewer appear here as the viewer is built.

#include "gui/app/pane_view.h"
#include "platform/panes.h"

namespace kelmio {

class CTextView final : public CPaneView, public CSourcePane {
public:
    explicit CTextView(wxWindow* parent);

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    // CSourcePane. Until the viewer is built there is no display state to store
    // and no image to save: the stored display state stays as it was read,
    // and nothing needs showing when the project changes.
    void SaveViewState(CKelmioPosData&) override {}
    bool QuerySaveImage() override { return true; }
    void OnInitialUpdate() override {}
    void OnUpdate(int) override {}
};

}  // namespace kelmio
