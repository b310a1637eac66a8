#pragma once
// The source viewer, the top pane. It shows nothing yet; the commands of
// the viewer appear here as the viewer is built.

#include "pane_view.h"

namespace kelmio {

class CTextView final : public CPaneView {
public:
    explicit CTextView(wxWindow* parent);

    std::optional<CommandState> QueryCommand(int nID) const override;
    bool OnCommand(int nID) override;
};

}  // namespace kelmio
