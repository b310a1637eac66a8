#pragma once
// A key table written as readable text, one binding a line:
//
//   key text <TAB> command ID <TAB> command name
//
// for example "Shift+Ctrl+F5\t57600\t[ﾌｧｲﾙ]プロジェクトの新規作成". The text is
// UTF-8; the name must be the command's name in the command list (empty for
// a command not in the list), which catches a mistyped ID. Blank lines and
// lines starting with "#" are skipped. The default key file is made from
// such a table when Kelmio is built.

#include <string>
#include <string_view>
#include <vector>

#include "keys/keycust.h"

namespace kelmio {

struct KeyTableTextResult {
    std::vector<CKeycust> bindings;
    std::string error;  // ASCII with the line number; empty when the whole text was read

    bool ok() const { return error.empty(); }
};

KeyTableTextResult ParseKeyTableText(std::string_view utf8);

}  // namespace kelmio
