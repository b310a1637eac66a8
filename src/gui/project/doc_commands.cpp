#include "gui/project/doc_commands.h"

#include "commands/command_ids.h"
#include "project/kelmio_doc.h"
#include "project/recent_projects.h"
#include "gui/platform/source_properties.h"

namespace kelmio {
namespace {

// The recent list keeps four projects; the menu shows what it has.
int RecentOffset(CommandId id) { return CommandNumber(id) - CommandNumber(ID_FILE_MRU_FILE1); }

bool IsRecentCommand(CommandId id) {
    return RecentOffset(id) >= 0 && RecentOffset(id) < static_cast<int>(CRecentProjects::kSize);
}

std::size_t RecentIndex(CommandId id) { return static_cast<std::size_t>(RecentOffset(id)); }

// The source viewer's commands the document passes on to it.
bool IsViewerRelay(CommandId id) {
    switch (id) {
        case ID_SOURCE_SCROLL_UP:
        case ID_SOURCE_SCROLL_DOWN:
        case ID_SOURCE_SCROLL_RIGHT:
        case ID_SOURCE_SCROLL_LEFT:
        case ID_SOURCE_PAGE_UP:
        case ID_SOURCE_PAGE_DOWN:
        case ID_FILE_SCAN:
        case ID_FILE_SAVE_SCAN:
        case ID_FILE_SELECT_SCANNER:
        case ID_IMAGE_ROTATE_180:
        case ID_IMAGE_ROTATE_LEFT:
        case ID_IMAGE_ROTATE_RIGHT:
        case ID_IMAGE_FLIP_VERT:
        case ID_IMAGE_FLIP_HORZ:
        case ID_IMAGE_ROTATE_ANY:
        case ID_IMAGE_COPY:
        case ID_IMAGE_ACTUAL_SIZE:
        case ID_IMAGE_FIT_WINDOW:
            return true;
        default:
            return CommandNumber(id) >= CommandNumber(ID_IMAGE_REDUCE_2) &&
                   CommandNumber(id) <= CommandNumber(ID_IMAGE_FINE);
    }
}

// A local file whose properties can be shown.
bool HasLocalSource(const CKelmioDoc& doc) {
    const std::string& source = doc.m_data.m_strSrcFile.Native();
    return !source.empty() && source.find("://") == std::string::npos;
}

}  // namespace

std::optional<CommandState> CDocCommands::QueryCommand(CommandId id) const {
    if (IsRecentCommand(id)) {
        return CommandState{RecentIndex(id) < m_doc.RecentProjects().Entries().size(), false};
    }
    if (IsViewerRelay(id)) return m_pViewer != nullptr ? m_pViewer->QueryCommand(id) : std::nullopt;
    switch (id) {
        case ID_FILE_SRC_HISTORY: return CommandState{!m_doc.m_data.m_arrSrcHistory.empty(), false};
        case ID_FILE_SRC_PROPERTIES: return CommandState{HasLocalSource(m_doc), false};
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
    if (IsViewerRelay(id)) return m_pViewer != nullptr && m_pViewer->OnCommand(id);
    switch (id) {
        case ID_FILE_SRC_HISTORY: m_doc.OnFileSourceHistory(); return true;
        case ID_FILE_SRC_PROPERTIES: ShowSourceProperties(m_doc.m_data.m_strSrcFile); return true;
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
