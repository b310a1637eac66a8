#pragma once
// Every command ID of Kelmio, named once. The numbers are fixed: key files
// store them, so they never change. IDs from 57344 up are the classic
// framework's standard commands; Kelmio's own lie in 3830-3848 and
// 32771-32866.

namespace kelmio {

// File
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PAGE_SETUP = 57605;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_FILE16 = 57631;
constexpr int ID_FILE_SRC = 32775;
constexpr int ID_FILE_SRC_HISTORY = 3840;
constexpr int ID_FILE_SRC_URL = 3841;
constexpr int ID_FILE_SRC_PROPERTIES = 32838;
constexpr int ID_FILE_SCAN = 32780;
constexpr int ID_FILE_SAVE_SCAN = 32783;
constexpr int ID_FILE_SELECT_SCANNER = 32782;
constexpr int ID_FILE_EDIT_PATH = 32779;
constexpr int ID_FILE_EDIT_OPEN = 32776;
constexpr int ID_FILE_EDIT_SAVE = 32777;
constexpr int ID_FILE_EDIT_SAVE_AS = 32778;
constexpr int ID_APP_EXIT = 57665;

// Edit
constexpr int ID_EDIT_CLEAR = 57632;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_FIND = 57636;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_REPEAT = 57640;
constexpr int ID_EDIT_REPLACE = 57641;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_EDIT_FIND_PREV = 32834;
constexpr int ID_EDIT_CLEAR_HIGHLIGHT = 32833;
constexpr int ID_EDIT_GOTO_TOP = 32831;
constexpr int ID_EDIT_GOTO_END = 32830;
constexpr int ID_MEMO_ADD = 3838;
constexpr int ID_MEMO_RENAME = 32837;
constexpr int ID_MEMO_DELETE = 3839;
constexpr int ID_DIC_SETTINGS = 3837;
constexpr int ID_DIC_LOOKUP_CLIPBOARD = 32840;
constexpr int ID_DIC_LOOKUP = 3836;

// View
constexpr int ID_VIEW_BROWSER_MODE = 32786;
constexpr int ID_VIEW_FONT = 32773;
constexpr int ID_VIEW_EDITOR_SETTINGS = 32794;
constexpr int ID_VIEW_PROJECT_SETTINGS = 32771;
constexpr int ID_CURSOR_SOURCE = 3843;
constexpr int ID_CURSOR_EDIT = 3846;
constexpr int ID_CURSOR_MEMO = 3847;
constexpr int ID_SOURCE_SCROLL_UP = 32784;
constexpr int ID_SOURCE_SCROLL_DOWN = 32785;
constexpr int ID_SOURCE_SCROLL_RIGHT = 32788;
constexpr int ID_SOURCE_SCROLL_LEFT = 32789;
constexpr int ID_SOURCE_PAGE_UP = 3844;
constexpr int ID_SOURCE_PAGE_DOWN = 3845;
constexpr int ID_KEY_CUSTOMIZE = 3848;
constexpr int ID_VIEW_SOURCE_SETTINGS = 32843;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Image
constexpr int ID_IMAGE_ACTUAL_SIZE = 32829;
constexpr int ID_IMAGE_REDUCE_2 = 32797;   // one ID per divisor 2-10
constexpr int ID_IMAGE_REDUCE_10 = 32805;
constexpr int ID_IMAGE_ENLARGE_2 = 32806;  // one ID per factor 2-10
constexpr int ID_IMAGE_ENLARGE_10 = 32814;
constexpr int ID_IMAGE_ENLARGE_STEP = 32815;
constexpr int ID_IMAGE_REDUCE_STEP = 32816;
constexpr int ID_IMAGE_REDUCE_CUSTOM = 32817;
constexpr int ID_IMAGE_ENLARGE_CUSTOM = 32818;
constexpr int ID_IMAGE_FINE = 32819;
constexpr int ID_IMAGE_FIT_WINDOW = 32820;
constexpr int ID_IMAGE_ROTATE_180 = 3831;
constexpr int ID_IMAGE_ROTATE_LEFT = 3832;
constexpr int ID_IMAGE_ROTATE_RIGHT = 3833;
constexpr int ID_IMAGE_ROTATE_ANY = 32866;
constexpr int ID_IMAGE_FLIP_VERT = 3834;
constexpr int ID_IMAGE_FLIP_HORZ = 3835;
constexpr int ID_IMAGE_COPY = 32825;

// Help
constexpr int ID_HELP_INDEX = 57666;
constexpr int ID_HELP_FINDER = 57667;
constexpr int ID_HELP_USING = 57668;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;
constexpr int ID_DEFAULT_HELP = 57671;
constexpr int ID_HELP_KEYWORD = 32835;
constexpr int ID_HELP_HOWTO = 32841;
constexpr int ID_HELP_HOMEPAGE = 3842;
constexpr int ID_APP_ABOUT = 57664;

// Panes
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;

// Rich-text formatting of text sources (texts only; no menu place)
constexpr int ID_FORMAT_BOLD = 32787;
constexpr int ID_FORMAT_ITALIC = 32790;
constexpr int ID_FORMAT_UNDERLINE = 32791;
constexpr int ID_FORMAT_STRIKEOUT = 32792;
constexpr int ID_FORMAT_FONT = 32795;
constexpr int ID_FORMAT_COLOR = 32796;

// Sent or posted by Kelmio's own code only
constexpr int ID_BROWSER_INIT_SCROLL = 3830;
constexpr int ID_VIEW_SHOW = 32772;
constexpr int ID_WINDOW_TOIMAGE = 32774;

// True for the numbers that name a command.
constexpr bool IsCommandId(int nID) {
    return (nID >= 3830 && nID <= 3848) || (nID >= 32771 && nID <= 32866) || (nID >= 57600 && nID <= 57681) ||
           nID == ID_VIEW_TOOLBAR || nID == ID_VIEW_STATUS_BAR;
}

}  // namespace kelmio
