#pragma once
// The toolkit accepts menu and tool IDs only below 0x7FFF, while Kelmio's
// command IDs go up to 59393 (key files store them, so they cannot move).
// Commands keep their own numbers everywhere except on the widgets, which
// carry the low 15 bits; the ranges of command IDs do not overlap there.

#include <optional>

#include "commands/command_ids.h"

namespace kelmio {

constexpr int WxIdOfNumber(int nNumber) { return nNumber & 0x7FFF; }

constexpr int ToWxId(CommandId id) { return WxIdOfNumber(CommandNumber(id)); }

// The command behind a widget ID, or nullopt when it is none.
constexpr std::optional<CommandId> FromWxId(int wxId) {
    if (wxId < 0 || wxId > 0x7FFF) return std::nullopt;
    if (const std::optional<CommandId> id = ToCommandId(wxId)) return id;
    return ToCommandId(wxId | 0x8000);
}

static_assert(FromWxId(ToWxId(ID_FILE_SRC)) == ID_FILE_SRC);
static_assert(FromWxId(ToWxId(ID_FILE_NEW)) == ID_FILE_NEW);
static_assert(FromWxId(ToWxId(ID_VIEW_STATUS_BAR)) == ID_VIEW_STATUS_BAR);
static_assert(FromWxId(ToWxId(ID_CURSOR_MEMO)) == ID_CURSOR_MEMO);
static_assert(!FromWxId(1001).has_value());

// The widget ID ranges that carry commands.
struct WxIdRange {
    int first;
    int last;
};
constexpr WxIdRange kWxCommandRanges[] = {
    {WxIdOfNumber(32771), WxIdOfNumber(32866)},
    {3830, 3848},
    {WxIdOfNumber(57600), WxIdOfNumber(57681)},
    {ToWxId(ID_VIEW_TOOLBAR), ToWxId(ID_VIEW_STATUS_BAR)},
};

}  // namespace kelmio
