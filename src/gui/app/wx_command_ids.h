#pragma once
// The toolkit accepts menu and tool IDs only below 0x7FFF, while Kelmio's
// command IDs go up to 59393 (key files store them, so they cannot move).
// Commands keep their own numbers everywhere except on the widgets, which
// carry the low 15 bits; the ranges of command IDs do not overlap there.

#include "commands/command_ids.h"

namespace kelmio {

constexpr int ToWxId(int nID) { return nID & 0x7FFF; }

// The command behind a widget ID, or 0 when it is none.
constexpr int FromWxId(int wxId) {
    if (wxId < 0 || wxId > 0x7FFF) return 0;
    if (IsCommandId(wxId)) return wxId;
    const int high = wxId | 0x8000;
    return IsCommandId(high) ? high : 0;
}

static_assert(FromWxId(ToWxId(ID_FILE_SRC)) == ID_FILE_SRC);
static_assert(FromWxId(ToWxId(ID_FILE_NEW)) == ID_FILE_NEW);
static_assert(FromWxId(ToWxId(ID_VIEW_STATUS_BAR)) == ID_VIEW_STATUS_BAR);
static_assert(FromWxId(ToWxId(ID_CURSOR_MEMO)) == ID_CURSOR_MEMO);
static_assert(FromWxId(1001) == 0);

// The widget ID ranges that carry commands.
struct WxIdRange {
    int first;
    int last;
};
constexpr WxIdRange kWxCommandRanges[] = {
    {ToWxId(32771), ToWxId(32866)},
    {3830, 3848},
    {ToWxId(57600), ToWxId(57681)},
    {ToWxId(ID_VIEW_TOOLBAR), ToWxId(ID_VIEW_STATUS_BAR)},
};

}  // namespace kelmio
