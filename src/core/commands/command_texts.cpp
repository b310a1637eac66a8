#include "commands/command_texts.h"

#include <map>
#include <string_view>

#include "commands/command_ids.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

struct CommandStringRow {
    int nID;
    std::string_view utf8;
};

// Where prompt and tooltip are the same text it is written twice, as the
// string resource holds it.
constexpr CommandStringRow kCommandStrings[] = {
    {ID_IMAGE_ROTATE_180, "180度回転\n180度回転"},
    {ID_IMAGE_ROTATE_LEFT, "左90度回転\n左90度回転"},
    {ID_IMAGE_ROTATE_RIGHT, "右90度回転\n右90度回転"},
    {ID_IMAGE_FLIP_VERT, "上下反転\n上下反転"},
    {ID_IMAGE_FLIP_HORZ, "左右反転\n左右反転"},
    {ID_DIC_LOOKUP, "辞書引き\n辞書引き"},
    {ID_DIC_SETTINGS, "辞書設定\n辞書設定"},
    {ID_MEMO_ADD, "メモの追加\nメモの追加"},
    {ID_MEMO_DELETE, "メモの削除\nメモの削除"},
    {ID_FILE_SRC_HISTORY, "ソースファイル履歴\nソースファイル履歴"},
    {ID_FILE_SRC_URL, "ソースファイルのURL指定\nソースファイルのURL指定"},
    {ID_HELP_HOMEPAGE, "Kelmioのホームページへ"},
    {ID_CURSOR_EDIT, "編集エリアにカーソル\n編集エリアにカーソル"},
    {ID_CURSOR_MEMO, "メモエリアにカーソル\nメモエリアにカーソル"},
    {ID_KEY_CUSTOMIZE, "キーカスタマイズ\nキーカスタマイズ"},
    {ID_VIEW_PROJECT_SETTINGS, "プロジェクトの設定\nプロジェクトの設定"},
    {ID_FILE_SRC, "ソースファイルの指定\nソースファイルの指定"},
    {ID_FILE_EDIT_OPEN, "編集ファイルを開く\n編集ファイルを開く"},
    {ID_FILE_EDIT_SAVE, "編集ファイルを上書き保存\n編集ファイルを上書き保存"},
    {ID_FILE_EDIT_SAVE_AS, "編集ファイルを名前を付けて保存\n編集ファイルを名前を付けて保存"},
    {ID_FILE_EDIT_PATH, "編集ファイル保存先を指定\n編集ファイル保存先を指定"},
    {ID_FILE_SCAN, "スキャナからの取り込み\nスキャナからの取り込み"},
    {ID_FILE_SELECT_SCANNER, "スキャナ選択\nスキャナ選択"},
    {ID_FILE_SAVE_SCAN, "スキャンした画像の保存\nスキャンした画像の保存"},
    {ID_VIEW_BROWSER_MODE, "ブラウザモード\nブラウザモード"},
    {ID_FORMAT_BOLD, "太字\n太字"},
    {ID_FORMAT_ITALIC, "イタリック\nイタリック"},
    {ID_FORMAT_UNDERLINE, "下線\n下線"},
    {ID_FORMAT_STRIKEOUT, "打ち消し線\n打ち消し線"},
    {ID_VIEW_EDITOR_SETTINGS, "エディタの設定\nエディタの設定"},
    {ID_FORMAT_FONT, "フォント\nフォント"},
    {ID_FORMAT_COLOR, "文字色\n文字色"},
    {ID_IMAGE_ENLARGE_STEP, "一段階拡大\n一段階拡大"},
    {ID_IMAGE_REDUCE_STEP, "一段階縮小\n一段階縮小"},
    {ID_IMAGE_REDUCE_CUSTOM, "カスタム"},
    {ID_IMAGE_ENLARGE_CUSTOM, "カスタム"},
    {ID_IMAGE_FINE, "画像精細モード"},
    {ID_IMAGE_FIT_WINDOW, "ウィンドウサイズに合わせる\nウィンドウサイズに合わせる"},
    {ID_IMAGE_COPY, "画像をクリップボードにコピー\n画像をクリップボードにコピー"},
    {ID_IMAGE_ACTUAL_SIZE, "拡大縮小を中止します\n実寸表示"},
    {ID_EDIT_GOTO_END, "画面の最後に移動します\n最後に移動"},
    {ID_EDIT_CLEAR_HIGHLIGHT, "検索文字列の強調解除"},
    {ID_EDIT_FIND_PREV, "↑前を検索\n↑前を検索"},
    {ID_MEMO_RENAME, "メモタイトル変更\nメモタイトル変更"},
    {ID_DIC_LOOKUP_CLIPBOARD, "クリップボードの内容を辞書引き\nクリップボードの内容を辞書引き"},
    {ID_HELP_HOWTO, "基本的な使い方"},
    {ID_VIEW_SOURCE_SETTINGS, "ソース表示の設定"},
    {ID_IMAGE_ROTATE_ANY, "任意角度回転\n任意角度回転"},

    // The standard commands, in the wording users know from other programs.
    {ID_FILE_NEW, "プロジェクト新規作成\nプロジェクト新規作成"},
    {ID_FILE_OPEN, "プロジェクトを開く\nプロジェクトを開く"},
    {ID_FILE_SAVE, "作業中のﾌｧｲﾙを上書きして保存\n保存"},
    {ID_FILE_SAVE_AS, "作業中のﾌｧｲﾙを別名で保存\n名前を付けて保存"},
    {ID_FILE_PAGE_SETUP, "印刷ｵﾌﾟｼｮﾝの変更\nﾍﾟｰｼﾞ ﾚｲｱｳﾄ"},
    {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更\n印刷設定"},
    {ID_FILE_PRINT, "作業中のﾌｧｲﾙを印刷\n印刷"},
    {ID_FILE_PRINT_PREVIEW, "ﾌﾙ ｽｸﾘｰﾝでﾌｧｲﾙの印刷ｲﾒｰｼﾞを表示\n印刷ﾌﾟﾚﾋﾞｭｰ"},
    {ID_FILE_MRU_FILE1, "指定のﾌｧｲﾙを開く"},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
    {ID_EDIT_CLEAR, "選択範囲を消去\n削除"},
    {ID_EDIT_COPY, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ"},
    {ID_EDIT_CUT, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動\n切り取り"},
    {ID_EDIT_FIND, "指定した文字列の検索\n検索"},
    {ID_EDIT_PASTE, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け"},
    {ID_EDIT_REPEAT, "↓次を検索\n↓次を検索"},
    {ID_EDIT_REPLACE, "指定した文字列を他の文字列で置換\n置換"},
    {ID_EDIT_SELECT_ALL, "ﾌｧｲﾙ内のすべてを選択\nすべて選択"},
    {ID_EDIT_UNDO, "直前に行った動作を元に戻す\n元に戻す"},
    {ID_EDIT_REDO, "直前に元に戻した動作をやり直す\nやり直し"},
    {ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
    {ID_HELP_FINDER, "ﾍﾙﾌﾟ ﾄﾋﾟｯｸの一覧を表示\nﾍﾙﾌﾟ"},
    {ID_HELP_KEYWORD, "ｷｰﾜｰﾄﾞでﾍﾙﾌﾟを検索\nｷｰﾜｰﾄﾞで検索"},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切替"},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切替"},
    {ID_NEXT_PANE, "次のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替える\n次のﾍﾟｲﾝ"},
    {ID_PREV_PANE, "前のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替える\n前のﾍﾟｲﾝ"},
};

const std::map<int, std::string>& CommandStrings() {
    static const std::map<int, std::string> strings = [] {
        std::map<int, std::string> result;
        for (const CommandStringRow& row : kCommandStrings) result.emplace(row.nID, SjisText(row.utf8));
        // Every recent-file entry shares the first entry's text.
        for (int nID = ID_FILE_MRU_FILE1 + 1; nID <= ID_FILE_MRU_FILE16; ++nID) {
            result.emplace(nID, result.at(ID_FILE_MRU_FILE1));
        }
        return result;
    }();
    return strings;
}

}  // namespace

const std::string& CommandString(int nID) {
    static const std::string empty;
    const auto& strings = CommandStrings();
    const auto it = strings.find(nID);
    return it == strings.end() ? empty : it->second;
}

std::string CommandPrompt(int nID) {
    const std::string& text = CommandString(nID);
    return text.substr(0, text.find('\n'));
}

std::string CommandTooltip(int nID) {
    const std::string& text = CommandString(nID);
    const std::size_t lineBreak = text.find('\n');
    return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}

const std::string& IdleStatusText() {
    static const std::string text = SjisText("ﾚﾃﾞｨ");
    return text;
}

const std::array<std::string, 4>& StatusIndicatorTexts() {
    static const std::array<std::string, 4> texts = {SjisText("ｶﾅ"), "CAP", "NUM", "SCRL"};
    return texts;
}

}  // namespace kelmio
