#include "commands/menu_table.h"

#include <initializer_list>

#include "commands/command_ids.h"
#include "commands/command_registry.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// A command item with the caption of its record.
CMenuItem Cmd(CommandId id) {
    const CommandRecord* record = FindCommandRecord(id);
    return {CMenuItem::Kind::kCommand, id, record != nullptr ? SjisText(record->caption) : std::string(), {}};
}

// The same in a context menu, where a few captions differ.
CMenuItem ContextCmd(CommandId id) {
    const CommandRecord* record = FindCommandRecord(id);
    if (record == nullptr || record->contextCaption.empty()) return Cmd(id);
    return {CMenuItem::Kind::kCommand, id, SjisText(record->contextCaption), {}};
}

CMenuItem Sep() { return {}; }

CMenuItem Popup(std::string_view utf8Caption, std::initializer_list<CMenuItem> children) {
    return {CMenuItem::Kind::kPopup, CommandId{}, SjisText(utf8Caption), children};
}

CMenuItem ReduceMenu() {
    return Popup("縮小(&O)", {
        Cmd(ID_IMAGE_REDUCE_2), Cmd(ID_IMAGE_REDUCE_3), Cmd(ID_IMAGE_REDUCE_4),
        Cmd(ID_IMAGE_REDUCE_5), Cmd(ID_IMAGE_REDUCE_6), Cmd(ID_IMAGE_REDUCE_7),
        Cmd(ID_IMAGE_REDUCE_8), Cmd(ID_IMAGE_REDUCE_9), Cmd(ID_IMAGE_REDUCE_10),
        Sep(), Cmd(ID_IMAGE_REDUCE_CUSTOM),
    });
}

CMenuItem EnlargeMenu() {
    return Popup("拡大(&I)", {
        Cmd(ID_IMAGE_ENLARGE_2), Cmd(ID_IMAGE_ENLARGE_3), Cmd(ID_IMAGE_ENLARGE_4),
        Cmd(ID_IMAGE_ENLARGE_5), Cmd(ID_IMAGE_ENLARGE_6), Cmd(ID_IMAGE_ENLARGE_7),
        Cmd(ID_IMAGE_ENLARGE_8), Cmd(ID_IMAGE_ENLARGE_9), Cmd(ID_IMAGE_ENLARGE_10),
        Sep(), Cmd(ID_IMAGE_ENLARGE_CUSTOM),
    });
}

std::vector<CMenuItem> BuildMainMenu() {
    return {
        Popup("ﾌｧｲﾙ(&F)", {
            Cmd(ID_FILE_NEW),
            Cmd(ID_FILE_OPEN),
            Cmd(ID_FILE_SAVE),
            Cmd(ID_FILE_SAVE_AS),
            Sep(),
            Cmd(ID_FILE_SRC),
            Cmd(ID_FILE_SRC_HISTORY),
            Cmd(ID_FILE_SRC_URL),
            Cmd(ID_FILE_SRC_PROPERTIES),
            Sep(),
            Cmd(ID_FILE_SCAN),
            Cmd(ID_FILE_SAVE_SCAN),
            Cmd(ID_FILE_SELECT_SCANNER),
            Sep(),
            Cmd(ID_FILE_EDIT_PATH),
            Cmd(ID_FILE_EDIT_OPEN),
            Cmd(ID_FILE_EDIT_SAVE),
            Cmd(ID_FILE_EDIT_SAVE_AS),
            Sep(),
            Cmd(ID_FILE_PRINT),
            Cmd(ID_FILE_PRINT_PREVIEW),
            Cmd(ID_FILE_PRINT_SETUP),
            Sep(),
            Cmd(ID_FILE_MRU_FILE1),
            Sep(),
            Cmd(ID_APP_EXIT),
        }),
        Popup("編集(&E)", {
            Cmd(ID_EDIT_UNDO),
            Cmd(ID_EDIT_REDO),
            Sep(),
            Cmd(ID_EDIT_CUT),
            Cmd(ID_EDIT_COPY),
            Cmd(ID_EDIT_PASTE),
            Sep(),
            Cmd(ID_EDIT_FIND),
            Cmd(ID_EDIT_REPEAT),
            Cmd(ID_EDIT_FIND_PREV),
            Cmd(ID_EDIT_CLEAR_HIGHLIGHT),
            Sep(),
            Cmd(ID_EDIT_REPLACE),
            Sep(),
            Cmd(ID_EDIT_SELECT_ALL),
            Cmd(ID_EDIT_GOTO_TOP),
            Cmd(ID_EDIT_GOTO_END),
            Sep(),
            Cmd(ID_MEMO_ADD),
            Cmd(ID_MEMO_RENAME),
            Cmd(ID_MEMO_DELETE),
            Sep(),
            Cmd(ID_DIC_SETTINGS),
            Cmd(ID_DIC_LOOKUP_CLIPBOARD),
            Cmd(ID_DIC_LOOKUP),
        }),
        Popup("表示(&V)", {
            Cmd(ID_VIEW_BROWSER_MODE),
            Sep(),
            Cmd(ID_VIEW_FONT),
            Sep(),
            Cmd(ID_VIEW_EDITOR_SETTINGS),
            Sep(),
            Cmd(ID_VIEW_PROJECT_SETTINGS),
            Sep(),
            Popup("カーソル(&C)", {
                Cmd(ID_CURSOR_SOURCE),
                Cmd(ID_CURSOR_EDIT),
                Cmd(ID_CURSOR_MEMO),
                Sep(),
                Cmd(ID_SOURCE_SCROLL_UP),
                Cmd(ID_SOURCE_SCROLL_DOWN),
                Cmd(ID_SOURCE_SCROLL_RIGHT),
                Cmd(ID_SOURCE_SCROLL_LEFT),
                Cmd(ID_SOURCE_PAGE_UP),
                Cmd(ID_SOURCE_PAGE_DOWN),
            }),
            Sep(),
            Cmd(ID_KEY_CUSTOMIZE),
            Cmd(ID_VIEW_SOURCE_SETTINGS),
            Sep(),
            Cmd(ID_VIEW_TOOLBAR),
            Cmd(ID_VIEW_STATUS_BAR),
        }),
        Popup("画像(&I)", {
            Cmd(ID_IMAGE_ACTUAL_SIZE),
            Sep(),
            ReduceMenu(),
            EnlargeMenu(),
            Sep(),
            Cmd(ID_IMAGE_REDUCE_STEP),
            Cmd(ID_IMAGE_ENLARGE_STEP),
            Sep(),
            Cmd(ID_IMAGE_FINE),
            Cmd(ID_IMAGE_FIT_WINDOW),
            Popup("回転(&R)", {
                Cmd(ID_IMAGE_ROTATE_180),
                Cmd(ID_IMAGE_ROTATE_LEFT),
                Cmd(ID_IMAGE_ROTATE_RIGHT),
                Sep(),
                Cmd(ID_IMAGE_ROTATE_ANY),
                Sep(),
                Cmd(ID_IMAGE_FLIP_VERT),
                Cmd(ID_IMAGE_FLIP_HORZ),
            }),
            Sep(),
            Cmd(ID_IMAGE_COPY),
        }),
        Popup("ﾍﾙﾌﾟ(&H)", {
            Cmd(ID_HELP_FINDER),
            Cmd(ID_HELP_KEYWORD),
            Cmd(ID_HELP_HOWTO),
            Sep(),
            Cmd(ID_HELP_HOMEPAGE),
            Sep(),
            Cmd(ID_APP_ABOUT),
        }),
    };
}

// The editor and the memo pane share the same four editing items.
CMenuItem EditingPopup(std::string_view utf8Caption) {
    return Popup(utf8Caption, {
        ContextCmd(ID_EDIT_UNDO),
        Sep(),
        ContextCmd(ID_EDIT_CUT),
        ContextCmd(ID_EDIT_COPY),
        ContextCmd(ID_EDIT_PASTE),
    });
}

CMenuItem PreviewPopup() {
    return Popup("プレビュー", {
        ContextCmd(ID_IMAGE_COPY),
        Sep(),
        ContextCmd(ID_IMAGE_ACTUAL_SIZE),
        Sep(),
        ReduceMenu(),
        EnlargeMenu(),
        Sep(),
        ContextCmd(ID_IMAGE_REDUCE_STEP),
        ContextCmd(ID_IMAGE_ENLARGE_STEP),
        Sep(),
        ContextCmd(ID_IMAGE_FINE),
        ContextCmd(ID_IMAGE_FIT_WINDOW),
        Popup("回転(&R)", {
            ContextCmd(ID_IMAGE_ROTATE_LEFT),
            ContextCmd(ID_IMAGE_ROTATE_RIGHT),
            Sep(),
            ContextCmd(ID_IMAGE_ROTATE_180),
            Sep(),
            ContextCmd(ID_IMAGE_FLIP_VERT),
            ContextCmd(ID_IMAGE_FLIP_HORZ),
        }),
        Sep(),
        ContextCmd(ID_VIEW_BROWSER_MODE),
    });
}

template <typename Items>
auto* FindIn(Items& items, CommandId id) {
    for (auto& item : items) {
        if (item.kind == CMenuItem::Kind::kCommand && item.id == id) return &item;
    }
    for (auto& item : items) {
        if (item.kind != CMenuItem::Kind::kPopup) continue;
        if (auto* found = FindIn(item.children, id)) return found;
    }
    return static_cast<decltype(&items.front())>(nullptr);
}

void CollectIds(const std::vector<CMenuItem>& items, std::vector<CommandId>& ids) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::kCommand) ids.push_back(item.id);
        if (item.kind == CMenuItem::Kind::kPopup) CollectIds(item.children, ids);
    }
}

}  // namespace

const std::vector<CMenuItem>& MainMenu() {
    static const std::vector<CMenuItem> menu = BuildMainMenu();
    return menu;
}

const CMenuItem& ContextMenu(ContextMenuKind which) {
    static const CMenuItem edit = EditingPopup("編集");
    static const CMenuItem preview = PreviewPopup();
    static const CMenuItem memo = EditingPopup("メモ");
    switch (which) {
        case ContextMenuKind::kEdit: return edit;
        case ContextMenuKind::kPreview: return preview;
        case ContextMenuKind::kMemo: return memo;
    }
    return edit;
}

CMenuItem* FindMenuCommand(std::vector<CMenuItem>& items, CommandId id) { return FindIn(items, id); }

const CMenuItem* FindMenuCommand(const std::vector<CMenuItem>& items, CommandId id) { return FindIn(items, id); }

bool IsCheckableCommand(CommandId id) {
    const CommandRecord* record = FindCommandRecord(id);
    return record != nullptr && record->bCheckable;
}

std::vector<CommandId> MenuCommandIds(const std::vector<CMenuItem>& items) {
    std::vector<CommandId> ids;
    CollectIds(items, ids);
    return ids;
}

}  // namespace kelmio
