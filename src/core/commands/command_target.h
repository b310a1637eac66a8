#pragma once
// How commands reach the code that carries them out. A command goes first
// to the active pane, then to the document, the frame and the application;
// the first target that knows the command handles it. The same order
// answers whether a command is enabled; a command nobody knows is shown
// disabled.

#include <optional>

#include "commands/command_ids.h"

namespace kelmio {

struct CommandState {
    bool bEnabled = true;
    bool bChecked = false;
};

class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;

    // The command's state, or nullopt when this target does not handle it.
    virtual std::optional<CommandState> QueryCommand(CommandId id) const = 0;

    // Carries out the command; false when this target does not handle it.
    virtual bool OnCommand(CommandId id) = 0;
};

}  // namespace kelmio
