#pragma once
// Every command of Kelmio, named once with its number. The numbers are fixed:
// key files store them, so they never change. IDs from 57344 up are the
// classic framework's standard commands; Kelmio's own lie in 3830-3848 and
// 32771-32866. What else is known of a command (texts, icon, menu place)
// is in commands/command_registry.cpp.

#include <optional>

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

// Every command is written under its own name, ID_FILE_NEW rather than
// CommandId::ID_FILE_NEW, and is still a CommandId, never a plain int.
using enum CommandId;

// The command a number names, or nullopt when it names none.
constexpr std::optional<CommandId> ToCommandId(int nID) {
    if (!IsCommandId(nID)) return std::nullopt;
    return static_cast<CommandId>(nID);
}

// The command `steps` numbers after `first`, for the runs of zoom steps.
constexpr CommandId CommandAfter(CommandId first, int steps) {
    return static_cast<CommandId>(CommandNumber(first) + steps);
}

}  // namespace kelmio
