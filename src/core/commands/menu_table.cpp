#include "commands/menu_table.h"

#include <initializer_list>

#include "commands/command_ids.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

CMenuItem Cmd(int nID, std::string_view utf8Caption) {
    return {CMenuItem::Kind::kCommand, nID, SjisText(utf8Caption), {}};
}

CMenuItem Sep() { return {}; }

CMenuItem Popup(std::string_view utf8Caption, std::initializer_list<CMenuItem> children) {
    return {CMenuItem::Kind::kPopup, 0, SjisText(utf8Caption), children};
}

CMenuItem ReduceMenu() {
    return Popup("縮小(&O)", {
        Cmd(32797, "&2分の1"), Cmd(32798, "&3分の1"), Cmd(32799, "&4分の1"),
        Cmd(32800, "&5分の1"), Cmd(32801, "&6分の1"), Cmd(32802, "&7分の1"),
        Cmd(32803, "&8分の1"), Cmd(32804, "&9分の1"), Cmd(32805, "&10分の1"),
        Sep(), Cmd(ID_IMAGE_REDUCE_CUSTOM, "カスタム(&C)..."),
    });
}

CMenuItem EnlargeMenu() {
    return Popup("拡大(&I)", {
        Cmd(32806, "&2倍"), Cmd(32807, "&3倍"), Cmd(32808, "&4倍"),
        Cmd(32809, "&5倍"), Cmd(32810, "&6倍"), Cmd(32811, "&7倍"),
        Cmd(32812, "&8倍"), Cmd(32813, "&9倍"), Cmd(32814, "&10倍"),
        Sep(), Cmd(ID_IMAGE_ENLARGE_CUSTOM, "カスタム(&C)..."),
    });
}

std::vector<CMenuItem> BuildMainMenu() {
    return {
        Popup("ﾌｧｲﾙ(&F)", {
            Cmd(ID_FILE_NEW, "プロジェクトの新規作成(&N)..."),
            Cmd(ID_FILE_OPEN, "プロジェクトを開く(&O)..."),
            Cmd(ID_FILE_SAVE, "プロジェクトの上書き保存(&S)"),
            Cmd(ID_FILE_SAVE_AS, "プロジェクトを名前を付けて保存(&A)..."),
            Sep(),
            Cmd(ID_FILE_SRC, "ソースファイルの指定(&R)..."),
            Cmd(ID_FILE_SRC_HISTORY, "ソースファイル履歴(&H)..."),
            Cmd(ID_FILE_SRC_URL, "ソースファイルのURL指定(&U)..."),
            Cmd(ID_FILE_SRC_PROPERTIES, "ソースファイルのプロパティ(&P)..."),
            Sep(),
            Cmd(ID_FILE_SCAN, "スキャナからの取り込み(&C)..."),
            Cmd(ID_FILE_SAVE_SCAN, "スキャンした画像の保存(&D)..."),
            Cmd(ID_FILE_SELECT_SCANNER, "スキャナ選択(&L)..."),
            Sep(),
            Cmd(ID_FILE_EDIT_PATH, "編集ファイル保存先を指定(&E)..."),
            Cmd(ID_FILE_EDIT_OPEN, "編集ファイルを開く(&T)..."),
            Cmd(ID_FILE_EDIT_SAVE, "編集ファイルを上書き保存(&U)..."),
            Cmd(ID_FILE_EDIT_SAVE_AS, "編集ファイルを名前を付けて保存(&B)..."),
            Sep(),
            Cmd(ID_FILE_PRINT, "印刷(&P)..."),
            Cmd(ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"),
            Cmd(ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)..."),
            Sep(),
            Cmd(ID_FILE_MRU_FILE1, "最近使ったﾌｧｲﾙ"),
            Sep(),
            Cmd(ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"),
        }),
        Popup("編集(&E)", {
            Cmd(ID_EDIT_UNDO, "元に戻す(&U)"),
            Cmd(ID_EDIT_REDO, "やり直す(&R)"),
            Sep(),
            Cmd(ID_EDIT_CUT, "切り取り(&T)"),
            Cmd(ID_EDIT_COPY, "ｺﾋﾟｰ(&C)"),
            Cmd(ID_EDIT_PASTE, "貼り付け(&P)"),
            Sep(),
            Cmd(ID_EDIT_FIND, "文字列の検索(&F)..."),
            Cmd(ID_EDIT_REPEAT, "↓次を検索(&N)"),
            Cmd(ID_EDIT_FIND_PREV, "↑前を検索(&V)"),
            Cmd(ID_EDIT_CLEAR_HIGHLIGHT, "検索文字列の強調解除(&Y)"),
            Sep(),
            Cmd(ID_EDIT_REPLACE, "文字列の置換(&R)..."),
            Sep(),
            Cmd(ID_EDIT_SELECT_ALL, "すべての範囲を選択(&A)"),
            Cmd(ID_EDIT_GOTO_TOP, "先頭に移動(&S)"),
            Cmd(ID_EDIT_GOTO_END, "最後に移動(&L)"),
            Sep(),
            Cmd(ID_MEMO_ADD, "メモの追加(&M)..."),
            Cmd(ID_MEMO_RENAME, "メモタイトル変更(&E)..."),
            Cmd(ID_MEMO_DELETE, "メモの削除(&D)..."),
            Sep(),
            Cmd(ID_DIC_SETTINGS, "辞書設定(&O)..."),
            Cmd(ID_DIC_LOOKUP_CLIPBOARD, "クリップボードの内容を辞書引き(&Q)"),
            Cmd(ID_DIC_LOOKUP, "辞書引き(&D)..."),
        }),
        Popup("表示(&V)", {
            Cmd(ID_VIEW_BROWSER_MODE, "ブラウザモード(&B)"),
            Sep(),
            Cmd(ID_VIEW_FONT, "フォント(&F)..."),
            Sep(),
            Cmd(ID_VIEW_EDITOR_SETTINGS, "エディタの設定(&E)..."),
            Sep(),
            Cmd(ID_VIEW_PROJECT_SETTINGS, "プロジェクトの設定(&J)..."),
            Sep(),
            Popup("カーソル(&C)", {
                Cmd(ID_CURSOR_SOURCE, "ソースにカーソル"),
                Cmd(ID_CURSOR_EDIT, "編集エリアにカーソル"),
                Cmd(ID_CURSOR_MEMO, "メモエリアにカーソル"),
                Sep(),
                Cmd(ID_SOURCE_SCROLL_UP, "上スクロール(&U)"),
                Cmd(ID_SOURCE_SCROLL_DOWN, "下スクロール(&D)"),
                Cmd(ID_SOURCE_SCROLL_RIGHT, "右スクロール(&R)"),
                Cmd(ID_SOURCE_SCROLL_LEFT, "左スクロール(&L)"),
                Cmd(ID_SOURCE_PAGE_UP, "ページアップ(&P)"),
                Cmd(ID_SOURCE_PAGE_DOWN, "ページダウン(&Q)"),
            }),
            Sep(),
            Cmd(ID_KEY_CUSTOMIZE, "キーカスタマイズ(&K)..."),
            Cmd(ID_VIEW_SOURCE_SETTINGS, "ソース表示の設定(&O)..."),
            Sep(),
            Cmd(ID_VIEW_TOOLBAR, "ツールバー(&T)"),
            Cmd(ID_VIEW_STATUS_BAR, "ステータスバー(&S)"),
        }),
        Popup("画像(&I)", {
            Cmd(ID_IMAGE_ACTUAL_SIZE, "実寸表示(&N)"),
            Sep(),
            ReduceMenu(),
            EnlargeMenu(),
            Sep(),
            Cmd(ID_IMAGE_REDUCE_STEP, "一段階縮小(&A)"),
            Cmd(ID_IMAGE_ENLARGE_STEP, "一段階拡大(&J)"),
            Sep(),
            Cmd(ID_IMAGE_FINE, "画像精細モード(&P)"),
            Cmd(ID_IMAGE_FIT_WINDOW, "ウィンドウサイズに合わせる(&W)"),
            Popup("回転(&R)", {
                Cmd(ID_IMAGE_ROTATE_180, "180度回転(&A)"),
                Cmd(ID_IMAGE_ROTATE_LEFT, "左90度回転(&L)"),
                Cmd(ID_IMAGE_ROTATE_RIGHT, "右90度回転(&R)"),
                Sep(),
                Cmd(ID_IMAGE_ROTATE_ANY, "任意角度回転(&O)..."),
                Sep(),
                Cmd(ID_IMAGE_FLIP_VERT, "上下反転(&U)"),
                Cmd(ID_IMAGE_FLIP_HORZ, "左右反転(&M)"),
            }),
            Sep(),
            Cmd(ID_IMAGE_COPY, "画像のコピー(&C)"),
        }),
        Popup("ﾍﾙﾌﾟ(&H)", {
            Cmd(ID_HELP_FINDER, "ヘルプ(&C)"),
            Cmd(ID_HELP_KEYWORD, "キーワードで検索(&S)"),
            Cmd(ID_HELP_HOWTO, "使い方(&U)"),
            Sep(),
            Cmd(ID_HELP_HOMEPAGE, "Kelmioのホームページへ(&H)"),
            Sep(),
            Cmd(ID_APP_ABOUT, "Kelmio のバージョン情報(&A)..."),
        }),
    };
}

// The editor and the memo pane share the same four editing items.
CMenuItem EditingPopup(std::string_view utf8Caption) {
    return Popup(utf8Caption, {
        Cmd(ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z"),
        Sep(),
        Cmd(ID_EDIT_CUT, "切り取り(&T)\tCtrl+X"),
        Cmd(ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C"),
        Cmd(ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V"),
    });
}

CMenuItem PreviewPopup() {
    return Popup("プレビュー", {
        Cmd(ID_IMAGE_COPY, "画像のコピー(&C)"),
        Sep(),
        Cmd(ID_IMAGE_ACTUAL_SIZE, "実寸表示(&N)"),
        Sep(),
        ReduceMenu(),
        EnlargeMenu(),
        Sep(),
        Cmd(ID_IMAGE_REDUCE_STEP, "一段階縮小"),
        Cmd(ID_IMAGE_ENLARGE_STEP, "一段階拡大"),
        Sep(),
        Cmd(ID_IMAGE_FINE, "画像精細モード(&P)"),
        Cmd(ID_IMAGE_FIT_WINDOW, "ウィンドウサイズに合わせる(&W)"),
        Popup("回転(&R)", {
            Cmd(ID_IMAGE_ROTATE_LEFT, "左90度回転(&L)"),
            Cmd(ID_IMAGE_ROTATE_RIGHT, "右90度回転(&R)"),
            Sep(),
            Cmd(ID_IMAGE_ROTATE_180, "180度回転(&A)"),
            Sep(),
            Cmd(ID_IMAGE_FLIP_VERT, "上下反転(&U)"),
            Cmd(ID_IMAGE_FLIP_HORZ, "左右反転(&M)"),
        }),
        Sep(),
        Cmd(ID_VIEW_BROWSER_MODE, "ブラウザモード(&B)"),
    });
}

void CollectIds(const std::vector<CMenuItem>& items, std::vector<int>& ids) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::kCommand) ids.push_back(item.nID);
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

const CMenuItem* FindMenuCommand(const std::vector<CMenuItem>& items, int nID) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::kCommand && item.nID == nID) return &item;
        if (item.kind == CMenuItem::Kind::kPopup) {
            if (const CMenuItem* found = FindMenuCommand(item.children, nID)) return found;
        }
    }
    return nullptr;
}

bool IsCheckableCommand(int nID) {
    switch (nID) {
        case ID_VIEW_TOOLBAR:
        case ID_VIEW_STATUS_BAR:
        case ID_VIEW_BROWSER_MODE:
        case ID_IMAGE_ACTUAL_SIZE:
        case ID_IMAGE_FINE:
        case ID_IMAGE_FIT_WINDOW:
            return true;
        default:
            return (nID >= ID_IMAGE_REDUCE_2 && nID <= ID_IMAGE_REDUCE_10) ||
                   (nID >= ID_IMAGE_ENLARGE_2 && nID <= ID_IMAGE_ENLARGE_10);
    }
}

std::vector<int> MenuCommandIds(const std::vector<CMenuItem>& items) {
    std::vector<int> ids;
    CollectIds(items, ids);
    return ids;
}

}  // namespace kelmio
