#pragma once
// The editor view: hosts the editor component over its whole area, carries
// out the standard editing commands on it and shows the editing context
// menu. It knows nothing of projects.

#include <memory>

#include "edit_x_ctrl.h"
#include "pane_view.h"

namespace kelmio {

class CEditXView : public CPaneView {
public:
    CEditXView(wxWindow* parent, CSettings& settings);
    ~CEditXView() override;

    CEditXCtrl& Editor() { return m_ctrl; }
    const CEditXCtrl& Editor() const { return m_ctrl; }

    std::optional<CommandState> QueryCommand(int nID) const override;
    bool OnCommand(int nID) override;
    void FocusPane() override;

protected:
    CSettings& Settings() { return m_settings; }

private:
    void OnContextMenu(wxContextMenuEvent& event);

    CSettings& m_settings;
    CEditXCtrl m_ctrl;
};

}  // namespace kelmio
