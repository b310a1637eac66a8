#include "gui/project/doc_commands.h"

#include "commands/command_ids.h"
#include "project/kelmio_doc.h"
#include "project/recent_projects.h"

namespace kelmio {
namespace {

// The recent list keeps four projects; the menu shows what it has.
int RecentOffset(CommandId id) { return CommandNumber(id) - CommandNumber(ID_FILE_MRU_FILE1); }

bool IsRecentCommand(CommandId id) {
    return RecentOffset(id) >= 0 && RecentOffset(id) < static_cast<int>(CRecentProjects::kSize);
}

std::size_t RecentIndex(CommandId id) { return static_cast<std::size_t>(RecentOffset(id)); }

}  // namespace

std::optional<CommandState> CDocCommands::QueryCommand(CommandId id) const {
    if (IsRecentCommand(id)) {
        return CommandState{RecentIndex(id) < m_doc.RecentProjects().Entries().size(), false};
    }
    switch (id) {
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_FILE_SAVE:
        case ID_FILE_SAVE_AS:
        case ID_VIEW_PROJECT_SETTINGS:
        case ID_FILE_SRC:
        case ID_FILE_SRC_URL:
        case ID_FILE_EDIT_PATH:
        case ID_FILE_EDIT_OPEN:
        case ID_FILE_EDIT_SAVE:
        case ID_FILE_EDIT_SAVE_AS:
        case ID_DIC_SETTINGS:
            return CommandState{};
        case ID_MEMO_ADD:
            return CommandState{m_pMemo != nullptr, false};
        default:
            return std::nullopt;
    }
}

bool CDocCommands::OnCommand(CommandId id) {
    if (IsRecentCommand(id)) {
        m_doc.OpenRecentFile(RecentIndex(id));
        return true;
    }
    switch (id) {
        case ID_FILE_NEW: m_doc.OnFileNew(); return true;
        case ID_FILE_OPEN: m_doc.OnFileOpen(); return true;
        case ID_FILE_SAVE: m_doc.OnFileSave(); return true;
        case ID_FILE_SAVE_AS: m_doc.OnFileSaveAs(); return true;
        case ID_VIEW_PROJECT_SETTINGS: m_doc.OnProjectSettings(); return true;
        case ID_FILE_SRC: m_doc.OnFileSource(); return true;
        case ID_FILE_SRC_URL: m_doc.OnFileSourceUrl(); return true;
        case ID_FILE_EDIT_PATH: m_doc.OnEditFileDestination(); return true;
        case ID_FILE_EDIT_OPEN: m_doc.OnEditFileOpen(); return true;
        case ID_FILE_EDIT_SAVE: m_doc.OnEditFileSave(); return true;
        case ID_FILE_EDIT_SAVE_AS: m_doc.OnEditFileSaveAs(); return true;
        case ID_DIC_SETTINGS: m_doc.OnDicSettings(); return true;
        case ID_MEMO_ADD: return m_pMemo != nullptr && m_pMemo->OnCommand(ID_MEMO_ADD);
        default: return false;
    }
}

}  // namespace kelmio
