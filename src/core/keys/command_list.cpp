#include "keys/command_list.h"

#include <array>
#include <string_view>

#include "commands/command_ids.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

struct CommandRow {
    std::string_view name;  // UTF-8 here, converted once
    int id;
};

constexpr std::array<CommandRow, 86> kCommandRows = {{
    {"[ﾌｧｲﾙ]ソースファイルの指定", ID_FILE_SRC},
    {"[ﾌｧｲﾙ]ソースファイル履歴", ID_FILE_SRC_HISTORY},
    {"[ﾌｧｲﾙ]ソースファイルのURL指定", ID_FILE_SRC_URL},
    {"[ﾌｧｲﾙ]スキャナからの取り込み", ID_FILE_SCAN},
    {"[ﾌｧｲﾙ]スキャンした画像の保存", ID_FILE_SAVE_SCAN},
    {"[ﾌｧｲﾙ]スキャナ選択", ID_FILE_SELECT_SCANNER},
    {"[ﾌｧｲﾙ]編集ファイル保存先を指定", ID_FILE_EDIT_PATH},
    {"[ﾌｧｲﾙ]編集ファイルを開く", ID_FILE_EDIT_OPEN},
    {"[ﾌｧｲﾙ]編集ファイルを上書き保存", ID_FILE_EDIT_SAVE},
    {"[ﾌｧｲﾙ]編集ファイルを名前を付けて保存", ID_FILE_EDIT_SAVE_AS},
    {"[ﾌｧｲﾙ]プロジェクトの新規作成", ID_FILE_NEW},
    {"[ﾌｧｲﾙ]プロジェクトを開く", ID_FILE_OPEN},
    {"[ﾌｧｲﾙ]プロジェクトの上書き保存", ID_FILE_SAVE},
    {"[ﾌｧｲﾙ]プロジェクトを名前を付けて保存", ID_FILE_SAVE_AS},
    {"[ﾌｧｲﾙ]印刷", ID_FILE_PRINT},
    {"[ﾌｧｲﾙ]印刷ﾌﾟﾚﾋﾞｭｰ", ID_FILE_PRINT_PREVIEW},
    {"[ﾌｧｲﾙ]ﾌﾟﾘﾝﾀの設定", ID_FILE_PRINT_SETUP},
    {"[ﾌｧｲﾙ]ｱﾌﾟﾘｹｰｼｮﾝの終了", ID_APP_EXIT},
    {"[編集]元に戻す", ID_EDIT_UNDO},
    {"[編集]やり直す", ID_EDIT_REDO},
    {"[編集]切り取り", ID_EDIT_CUT},
    {"[編集]ｺﾋﾟｰ", ID_EDIT_COPY},
    {"[編集]貼り付け", ID_EDIT_PASTE},
    {"[編集]文字列の検索", ID_EDIT_FIND},
    {"[編集]↓次を検索", ID_EDIT_REPEAT},
    {"[編集]↑前を検索", ID_EDIT_FIND_PREV},
    {"[編集]検索文字列の強調解除", ID_EDIT_CLEAR_HIGHLIGHT},
    {"[編集]文字列の置換", ID_EDIT_REPLACE},
    {"[編集]すべての範囲を選択", ID_EDIT_SELECT_ALL},
    {"[編集]先頭に移動", ID_EDIT_GOTO_TOP},
    {"[編集]最後に移動", ID_EDIT_GOTO_END},
    {"[編集]メモの追加", ID_MEMO_ADD},
    {"[編集]メモタイトルの変更", ID_MEMO_RENAME},
    {"[編集]メモの削除", ID_MEMO_DELETE},
    {"[編集]プロジェクトの設定", ID_VIEW_PROJECT_SETTINGS},
    {"[編集]辞書設定", ID_DIC_SETTINGS},
    {"[編集]辞書引き", ID_DIC_LOOKUP},
    {"[表示]ブラウザモード", ID_VIEW_BROWSER_MODE},
    {"[表示]フォント", ID_VIEW_FONT},
    {"[表示]エディタの設定", ID_VIEW_EDITOR_SETTINGS},
    {"[表示]ソースにカーソル", ID_CURSOR_SOURCE},
    {"[表示]編集エリアにカーソル", ID_CURSOR_EDIT},
    {"[表示]メモエリアにカーソル", ID_CURSOR_MEMO},
    {"[表示]ツールバー", ID_VIEW_TOOLBAR},
    {"[表示]ステータスバー", ID_VIEW_STATUS_BAR},
    {"[画像]実寸表示", ID_IMAGE_ACTUAL_SIZE},
    {"[画像]2分の1", ID_IMAGE_REDUCE_2},
    {"[画像]3分の1", ID_IMAGE_REDUCE_2 + 1},
    {"[画像]4分の1", ID_IMAGE_REDUCE_2 + 2},
    {"[画像]5分の1", ID_IMAGE_REDUCE_2 + 3},
    {"[画像]6分の1", ID_IMAGE_REDUCE_2 + 4},
    {"[画像]7分の1", ID_IMAGE_REDUCE_2 + 5},
    {"[画像]8分の1", ID_IMAGE_REDUCE_2 + 6},
    {"[画像]9分の1", ID_IMAGE_REDUCE_2 + 7},
    {"[画像]10分の1", ID_IMAGE_REDUCE_10},
    {"[画像]カスタム", ID_IMAGE_REDUCE_CUSTOM},
    {"[画像]2倍", ID_IMAGE_ENLARGE_2},
    {"[画像]3倍", ID_IMAGE_ENLARGE_2 + 1},
    {"[画像]4倍", ID_IMAGE_ENLARGE_2 + 2},
    {"[画像]5倍", ID_IMAGE_ENLARGE_2 + 3},
    {"[画像]6倍", ID_IMAGE_ENLARGE_2 + 4},
    {"[画像]7倍", ID_IMAGE_ENLARGE_2 + 5},
    {"[画像]8倍", ID_IMAGE_ENLARGE_2 + 6},
    {"[画像]9倍", ID_IMAGE_ENLARGE_2 + 7},
    {"[画像]10倍", ID_IMAGE_ENLARGE_10},
    {"[画像]カスタム", ID_IMAGE_ENLARGE_CUSTOM},
    {"[画像]一段階縮小", ID_IMAGE_REDUCE_STEP},
    {"[画像]一段階拡大", ID_IMAGE_ENLARGE_STEP},
    {"[画像]画像精細モード", ID_IMAGE_FINE},
    {"[画像]ウィンドウサイズに合わせる", ID_IMAGE_FIT_WINDOW},
    {"[画像]左90度回転", ID_IMAGE_ROTATE_LEFT},
    {"[画像]右90度回転", ID_IMAGE_ROTATE_RIGHT},
    {"[画像]180度回転", ID_IMAGE_ROTATE_180},
    {"[画像]上下反転", ID_IMAGE_FLIP_VERT},
    {"[画像]左右反転", ID_IMAGE_FLIP_HORZ},
    {"[画像]画像のコピー", ID_IMAGE_COPY},
    {"[画像]上スクロール", ID_SOURCE_SCROLL_UP},
    {"[画像]下スクロール", ID_SOURCE_SCROLL_DOWN},
    {"[画像]右スクロール", ID_SOURCE_SCROLL_RIGHT},
    {"[画像]左スクロール", ID_SOURCE_SCROLL_LEFT},
    {"[画像]ページアップ", ID_SOURCE_PAGE_UP},
    {"[画像]ページダウン", ID_SOURCE_PAGE_DOWN},
    {"[ﾍﾙﾌﾟ]ヘルプ", ID_HELP_FINDER},
    {"[ﾍﾙﾌﾟ]キーワードで検索", ID_HELP_KEYWORD},
    {"[ﾍﾙﾌﾟ]Kelmioのホームページへ", ID_HELP_HOMEPAGE},
    {"[ﾍﾙﾌﾟ]Kelmio のバージョン情報", ID_APP_ABOUT},
}};

std::vector<CommandListEntry> BuildCommandList() {
    std::vector<CommandListEntry> list;
    list.reserve(kCommandRows.size());
    for (const CommandRow& row : kCommandRows) {
        list.push_back({SjisText(row.name), static_cast<unsigned int>(row.id)});
    }
    return list;
}

}  // namespace

const std::vector<CommandListEntry>& GetCommandList() {
    static const std::vector<CommandListEntry> list = BuildCommandList();
    return list;
}

std::string GetCommandName(unsigned int id) {
    for (const CommandListEntry& entry : GetCommandList()) {
        if (entry.id == id) return entry.name;
    }
    return {};
}

}  // namespace kelmio
