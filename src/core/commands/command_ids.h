#pragma once
// Every command of Kelmio, named once with its number. The numbers are fixed:
// key files store them, so they never change. IDs from 57344 up are the
// classic framework's standard commands; Kelmio's own lie in 3830-3848 and
// 32771-32866. What else is known of a command (texts, icon, menu place)
// is in commands/command_registry.cpp.

namespace kelmio {

enum class CommandId : int {
    // File
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PAGE_SETUP = 57605,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE16 = 57631,
    ID_FILE_SRC = 32775,
    ID_FILE_SRC_HISTORY = 3840,
    ID_FILE_SRC_URL = 3841,
    ID_FILE_SRC_PROPERTIES = 32838,
    ID_FILE_SCAN = 32780,
    ID_FILE_SAVE_SCAN = 32783,
    ID_FILE_SELECT_SCANNER = 32782,
    ID_FILE_EDIT_PATH = 32779,
    ID_FILE_EDIT_OPEN = 32776,
    ID_FILE_EDIT_SAVE = 32777,
    ID_FILE_EDIT_SAVE_AS = 32778,
    ID_APP_EXIT = 57665,

    // Edit
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_REPEAT = 57640,
    ID_EDIT_REPLACE = 57641,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_FIND_PREV = 32834,
    ID_EDIT_CLEAR_HIGHLIGHT = 32833,
    ID_EDIT_GOTO_TOP = 32831,
    ID_EDIT_GOTO_END = 32830,
    ID_MEMO_ADD = 3838,
    ID_MEMO_RENAME = 32837,
    ID_MEMO_DELETE = 3839,
    ID_DIC_SETTINGS = 3837,
    ID_DIC_LOOKUP_CLIPBOARD = 32840,
    ID_DIC_LOOKUP = 3836,

    // View
    ID_VIEW_BROWSER_MODE = 32786,
    ID_VIEW_FONT = 32773,
    ID_VIEW_EDITOR_SETTINGS = 32794,
    ID_VIEW_PROJECT_SETTINGS = 32771,
    ID_CURSOR_SOURCE = 3843,
    ID_CURSOR_EDIT = 3846,
    ID_CURSOR_MEMO = 3847,
    ID_SOURCE_SCROLL_UP = 32784,
    ID_SOURCE_SCROLL_DOWN = 32785,
    ID_SOURCE_SCROLL_RIGHT = 32788,
    ID_SOURCE_SCROLL_LEFT = 32789,
    ID_SOURCE_PAGE_UP = 3844,
    ID_SOURCE_PAGE_DOWN = 3845,
    ID_KEY_CUSTOMIZE = 3848,
    ID_VIEW_SOURCE_SETTINGS = 32843,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    // Image
    ID_IMAGE_ACTUAL_SIZE = 32829,
    ID_IMAGE_REDUCE_2 = 32797,   // one ID per divisor 2-10
    ID_IMAGE_REDUCE_3 = 32798,
    ID_IMAGE_REDUCE_4 = 32799,
    ID_IMAGE_REDUCE_5 = 32800,
    ID_IMAGE_REDUCE_6 = 32801,
    ID_IMAGE_REDUCE_7 = 32802,
    ID_IMAGE_REDUCE_8 = 32803,
    ID_IMAGE_REDUCE_9 = 32804,
    ID_IMAGE_REDUCE_10 = 32805,
    ID_IMAGE_ENLARGE_2 = 32806,  // one ID per factor 2-10
    ID_IMAGE_ENLARGE_3 = 32807,
    ID_IMAGE_ENLARGE_4 = 32808,
    ID_IMAGE_ENLARGE_5 = 32809,
    ID_IMAGE_ENLARGE_6 = 32810,
    ID_IMAGE_ENLARGE_7 = 32811,
    ID_IMAGE_ENLARGE_8 = 32812,
    ID_IMAGE_ENLARGE_9 = 32813,
    ID_IMAGE_ENLARGE_10 = 32814,
    ID_IMAGE_ENLARGE_STEP = 32815,
    ID_IMAGE_REDUCE_STEP = 32816,
    ID_IMAGE_REDUCE_CUSTOM = 32817,
    ID_IMAGE_ENLARGE_CUSTOM = 32818,
    ID_IMAGE_FINE = 32819,
    ID_IMAGE_FIT_WINDOW = 32820,
    ID_IMAGE_ROTATE_180 = 3831,
    ID_IMAGE_ROTATE_LEFT = 3832,
    ID_IMAGE_ROTATE_RIGHT = 3833,
    ID_IMAGE_ROTATE_ANY = 32866,
    ID_IMAGE_FLIP_VERT = 3834,
    ID_IMAGE_FLIP_HORZ = 3835,
    ID_IMAGE_COPY = 32825,

    // Help
    ID_HELP_INDEX = 57666,
    ID_HELP_FINDER = 57667,
    ID_HELP_USING = 57668,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,
    ID_HELP_KEYWORD = 32835,
    ID_HELP_HOWTO = 32841,
    ID_HELP_HOMEPAGE = 3842,
    ID_APP_ABOUT = 57664,

    // Panes
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,

    // Rich-text formatting of text sources (texts only; no menu place)
    ID_FORMAT_BOLD = 32787,
    ID_FORMAT_ITALIC = 32790,
    ID_FORMAT_UNDERLINE = 32791,
    ID_FORMAT_STRIKEOUT = 32792,
    ID_FORMAT_FONT = 32795,
    ID_FORMAT_COLOR = 32796,

    // Sent or posted by Kelmio's own code only
    ID_BROWSER_INIT_SCROLL = 3830,
    ID_VIEW_SHOW = 32772,
    ID_WINDOW_TOIMAGE = 32774,
};

// The number a key file and a widget carry for the command.
constexpr int CommandNumber(CommandId id) { return static_cast<int>(id); }

// True for the numbers that name a command.
constexpr bool IsCommandId(int nID) {
    return (nID >= 3830 && nID <= 3848) || (nID >= 32771 && nID <= 32866) || (nID >= 57600 && nID <= 57681) ||
           nID == CommandNumber(CommandId::ID_VIEW_TOOLBAR) || nID == CommandNumber(CommandId::ID_VIEW_STATUS_BAR);
}

// The same numbers for the code that carries a command as a plain int: the
// toolkit's event IDs and the routing of commands through the panes.
constexpr int ID_FILE_NEW = CommandNumber(CommandId::ID_FILE_NEW);
constexpr int ID_FILE_OPEN = CommandNumber(CommandId::ID_FILE_OPEN);
constexpr int ID_FILE_SAVE = CommandNumber(CommandId::ID_FILE_SAVE);
constexpr int ID_FILE_SAVE_AS = CommandNumber(CommandId::ID_FILE_SAVE_AS);
constexpr int ID_FILE_PAGE_SETUP = CommandNumber(CommandId::ID_FILE_PAGE_SETUP);
constexpr int ID_FILE_PRINT_SETUP = CommandNumber(CommandId::ID_FILE_PRINT_SETUP);
constexpr int ID_FILE_PRINT = CommandNumber(CommandId::ID_FILE_PRINT);
constexpr int ID_FILE_PRINT_DIRECT = CommandNumber(CommandId::ID_FILE_PRINT_DIRECT);
constexpr int ID_FILE_PRINT_PREVIEW = CommandNumber(CommandId::ID_FILE_PRINT_PREVIEW);
constexpr int ID_FILE_MRU_FILE1 = CommandNumber(CommandId::ID_FILE_MRU_FILE1);
constexpr int ID_FILE_MRU_FILE16 = CommandNumber(CommandId::ID_FILE_MRU_FILE16);
constexpr int ID_FILE_SRC = CommandNumber(CommandId::ID_FILE_SRC);
constexpr int ID_FILE_SRC_HISTORY = CommandNumber(CommandId::ID_FILE_SRC_HISTORY);
constexpr int ID_FILE_SRC_URL = CommandNumber(CommandId::ID_FILE_SRC_URL);
constexpr int ID_FILE_SRC_PROPERTIES = CommandNumber(CommandId::ID_FILE_SRC_PROPERTIES);
constexpr int ID_FILE_SCAN = CommandNumber(CommandId::ID_FILE_SCAN);
constexpr int ID_FILE_SAVE_SCAN = CommandNumber(CommandId::ID_FILE_SAVE_SCAN);
constexpr int ID_FILE_SELECT_SCANNER = CommandNumber(CommandId::ID_FILE_SELECT_SCANNER);
constexpr int ID_FILE_EDIT_PATH = CommandNumber(CommandId::ID_FILE_EDIT_PATH);
constexpr int ID_FILE_EDIT_OPEN = CommandNumber(CommandId::ID_FILE_EDIT_OPEN);
constexpr int ID_FILE_EDIT_SAVE = CommandNumber(CommandId::ID_FILE_EDIT_SAVE);
constexpr int ID_FILE_EDIT_SAVE_AS = CommandNumber(CommandId::ID_FILE_EDIT_SAVE_AS);
constexpr int ID_APP_EXIT = CommandNumber(CommandId::ID_APP_EXIT);
constexpr int ID_EDIT_CLEAR = CommandNumber(CommandId::ID_EDIT_CLEAR);
constexpr int ID_EDIT_COPY = CommandNumber(CommandId::ID_EDIT_COPY);
constexpr int ID_EDIT_CUT = CommandNumber(CommandId::ID_EDIT_CUT);
constexpr int ID_EDIT_FIND = CommandNumber(CommandId::ID_EDIT_FIND);
constexpr int ID_EDIT_PASTE = CommandNumber(CommandId::ID_EDIT_PASTE);
constexpr int ID_EDIT_REPEAT = CommandNumber(CommandId::ID_EDIT_REPEAT);
constexpr int ID_EDIT_REPLACE = CommandNumber(CommandId::ID_EDIT_REPLACE);
constexpr int ID_EDIT_SELECT_ALL = CommandNumber(CommandId::ID_EDIT_SELECT_ALL);
constexpr int ID_EDIT_UNDO = CommandNumber(CommandId::ID_EDIT_UNDO);
constexpr int ID_EDIT_REDO = CommandNumber(CommandId::ID_EDIT_REDO);
constexpr int ID_EDIT_FIND_PREV = CommandNumber(CommandId::ID_EDIT_FIND_PREV);
constexpr int ID_EDIT_CLEAR_HIGHLIGHT = CommandNumber(CommandId::ID_EDIT_CLEAR_HIGHLIGHT);
constexpr int ID_EDIT_GOTO_TOP = CommandNumber(CommandId::ID_EDIT_GOTO_TOP);
constexpr int ID_EDIT_GOTO_END = CommandNumber(CommandId::ID_EDIT_GOTO_END);
constexpr int ID_MEMO_ADD = CommandNumber(CommandId::ID_MEMO_ADD);
constexpr int ID_MEMO_RENAME = CommandNumber(CommandId::ID_MEMO_RENAME);
constexpr int ID_MEMO_DELETE = CommandNumber(CommandId::ID_MEMO_DELETE);
constexpr int ID_DIC_SETTINGS = CommandNumber(CommandId::ID_DIC_SETTINGS);
constexpr int ID_DIC_LOOKUP_CLIPBOARD = CommandNumber(CommandId::ID_DIC_LOOKUP_CLIPBOARD);
constexpr int ID_DIC_LOOKUP = CommandNumber(CommandId::ID_DIC_LOOKUP);
constexpr int ID_VIEW_BROWSER_MODE = CommandNumber(CommandId::ID_VIEW_BROWSER_MODE);
constexpr int ID_VIEW_FONT = CommandNumber(CommandId::ID_VIEW_FONT);
constexpr int ID_VIEW_EDITOR_SETTINGS = CommandNumber(CommandId::ID_VIEW_EDITOR_SETTINGS);
constexpr int ID_VIEW_PROJECT_SETTINGS = CommandNumber(CommandId::ID_VIEW_PROJECT_SETTINGS);
constexpr int ID_CURSOR_SOURCE = CommandNumber(CommandId::ID_CURSOR_SOURCE);
constexpr int ID_CURSOR_EDIT = CommandNumber(CommandId::ID_CURSOR_EDIT);
constexpr int ID_CURSOR_MEMO = CommandNumber(CommandId::ID_CURSOR_MEMO);
constexpr int ID_SOURCE_SCROLL_UP = CommandNumber(CommandId::ID_SOURCE_SCROLL_UP);
constexpr int ID_SOURCE_SCROLL_DOWN = CommandNumber(CommandId::ID_SOURCE_SCROLL_DOWN);
constexpr int ID_SOURCE_SCROLL_RIGHT = CommandNumber(CommandId::ID_SOURCE_SCROLL_RIGHT);
constexpr int ID_SOURCE_SCROLL_LEFT = CommandNumber(CommandId::ID_SOURCE_SCROLL_LEFT);
constexpr int ID_SOURCE_PAGE_UP = CommandNumber(CommandId::ID_SOURCE_PAGE_UP);
constexpr int ID_SOURCE_PAGE_DOWN = CommandNumber(CommandId::ID_SOURCE_PAGE_DOWN);
constexpr int ID_KEY_CUSTOMIZE = CommandNumber(CommandId::ID_KEY_CUSTOMIZE);
constexpr int ID_VIEW_SOURCE_SETTINGS = CommandNumber(CommandId::ID_VIEW_SOURCE_SETTINGS);
constexpr int ID_VIEW_TOOLBAR = CommandNumber(CommandId::ID_VIEW_TOOLBAR);
constexpr int ID_VIEW_STATUS_BAR = CommandNumber(CommandId::ID_VIEW_STATUS_BAR);
constexpr int ID_IMAGE_ACTUAL_SIZE = CommandNumber(CommandId::ID_IMAGE_ACTUAL_SIZE);
constexpr int ID_IMAGE_REDUCE_2 = CommandNumber(CommandId::ID_IMAGE_REDUCE_2);
constexpr int ID_IMAGE_REDUCE_3 = CommandNumber(CommandId::ID_IMAGE_REDUCE_3);
constexpr int ID_IMAGE_REDUCE_4 = CommandNumber(CommandId::ID_IMAGE_REDUCE_4);
constexpr int ID_IMAGE_REDUCE_5 = CommandNumber(CommandId::ID_IMAGE_REDUCE_5);
constexpr int ID_IMAGE_REDUCE_6 = CommandNumber(CommandId::ID_IMAGE_REDUCE_6);
constexpr int ID_IMAGE_REDUCE_7 = CommandNumber(CommandId::ID_IMAGE_REDUCE_7);
constexpr int ID_IMAGE_REDUCE_8 = CommandNumber(CommandId::ID_IMAGE_REDUCE_8);
constexpr int ID_IMAGE_REDUCE_9 = CommandNumber(CommandId::ID_IMAGE_REDUCE_9);
constexpr int ID_IMAGE_REDUCE_10 = CommandNumber(CommandId::ID_IMAGE_REDUCE_10);
constexpr int ID_IMAGE_ENLARGE_2 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_2);
constexpr int ID_IMAGE_ENLARGE_3 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_3);
constexpr int ID_IMAGE_ENLARGE_4 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_4);
constexpr int ID_IMAGE_ENLARGE_5 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_5);
constexpr int ID_IMAGE_ENLARGE_6 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_6);
constexpr int ID_IMAGE_ENLARGE_7 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_7);
constexpr int ID_IMAGE_ENLARGE_8 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_8);
constexpr int ID_IMAGE_ENLARGE_9 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_9);
constexpr int ID_IMAGE_ENLARGE_10 = CommandNumber(CommandId::ID_IMAGE_ENLARGE_10);
constexpr int ID_IMAGE_ENLARGE_STEP = CommandNumber(CommandId::ID_IMAGE_ENLARGE_STEP);
constexpr int ID_IMAGE_REDUCE_STEP = CommandNumber(CommandId::ID_IMAGE_REDUCE_STEP);
constexpr int ID_IMAGE_REDUCE_CUSTOM = CommandNumber(CommandId::ID_IMAGE_REDUCE_CUSTOM);
constexpr int ID_IMAGE_ENLARGE_CUSTOM = CommandNumber(CommandId::ID_IMAGE_ENLARGE_CUSTOM);
constexpr int ID_IMAGE_FINE = CommandNumber(CommandId::ID_IMAGE_FINE);
constexpr int ID_IMAGE_FIT_WINDOW = CommandNumber(CommandId::ID_IMAGE_FIT_WINDOW);
constexpr int ID_IMAGE_ROTATE_180 = CommandNumber(CommandId::ID_IMAGE_ROTATE_180);
constexpr int ID_IMAGE_ROTATE_LEFT = CommandNumber(CommandId::ID_IMAGE_ROTATE_LEFT);
constexpr int ID_IMAGE_ROTATE_RIGHT = CommandNumber(CommandId::ID_IMAGE_ROTATE_RIGHT);
constexpr int ID_IMAGE_ROTATE_ANY = CommandNumber(CommandId::ID_IMAGE_ROTATE_ANY);
constexpr int ID_IMAGE_FLIP_VERT = CommandNumber(CommandId::ID_IMAGE_FLIP_VERT);
constexpr int ID_IMAGE_FLIP_HORZ = CommandNumber(CommandId::ID_IMAGE_FLIP_HORZ);
constexpr int ID_IMAGE_COPY = CommandNumber(CommandId::ID_IMAGE_COPY);
constexpr int ID_HELP_INDEX = CommandNumber(CommandId::ID_HELP_INDEX);
constexpr int ID_HELP_FINDER = CommandNumber(CommandId::ID_HELP_FINDER);
constexpr int ID_HELP_USING = CommandNumber(CommandId::ID_HELP_USING);
constexpr int ID_CONTEXT_HELP = CommandNumber(CommandId::ID_CONTEXT_HELP);
constexpr int ID_HELP = CommandNumber(CommandId::ID_HELP);
constexpr int ID_DEFAULT_HELP = CommandNumber(CommandId::ID_DEFAULT_HELP);
constexpr int ID_HELP_KEYWORD = CommandNumber(CommandId::ID_HELP_KEYWORD);
constexpr int ID_HELP_HOWTO = CommandNumber(CommandId::ID_HELP_HOWTO);
constexpr int ID_HELP_HOMEPAGE = CommandNumber(CommandId::ID_HELP_HOMEPAGE);
constexpr int ID_APP_ABOUT = CommandNumber(CommandId::ID_APP_ABOUT);
constexpr int ID_NEXT_PANE = CommandNumber(CommandId::ID_NEXT_PANE);
constexpr int ID_PREV_PANE = CommandNumber(CommandId::ID_PREV_PANE);
constexpr int ID_FORMAT_BOLD = CommandNumber(CommandId::ID_FORMAT_BOLD);
constexpr int ID_FORMAT_ITALIC = CommandNumber(CommandId::ID_FORMAT_ITALIC);
constexpr int ID_FORMAT_UNDERLINE = CommandNumber(CommandId::ID_FORMAT_UNDERLINE);
constexpr int ID_FORMAT_STRIKEOUT = CommandNumber(CommandId::ID_FORMAT_STRIKEOUT);
constexpr int ID_FORMAT_FONT = CommandNumber(CommandId::ID_FORMAT_FONT);
constexpr int ID_FORMAT_COLOR = CommandNumber(CommandId::ID_FORMAT_COLOR);
constexpr int ID_BROWSER_INIT_SCROLL = CommandNumber(CommandId::ID_BROWSER_INIT_SCROLL);
constexpr int ID_VIEW_SHOW = CommandNumber(CommandId::ID_VIEW_SHOW);
constexpr int ID_WINDOW_TOIMAGE = CommandNumber(CommandId::ID_WINDOW_TOIMAGE);

}  // namespace kelmio
