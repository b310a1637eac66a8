#pragma once
// The project document as a command target: the commands it carries out
// (project new/open/save, the recent projects, the project settings, the
// source and translation-file commands) reach it after the active pane.

#include "commands/command_target.h"

namespace kelmio {

class CKelmioDoc;

class CDocCommands final : public CCommandTarget {
public:
    explicit CDocCommands(CKelmioDoc& doc) : m_doc(doc) {}

    // The memo pane, which adds memos for the document whichever pane is active.
    void SetMemoTarget(CCommandTarget* memo) { m_pMemo = memo; }

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;

private:
    CKelmioDoc& m_doc;
    CCommandTarget* m_pMemo = nullptr;
};

}  // namespace kelmio
