#include "commands/command_texts.h"

#include <map>
#include <string_view>

#include "commands/command_ids.h"
#include "commands/command_registry.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// The classic command string "prompt\ntooltip" of a record; without a
// tooltip the prompt alone.
std::string ClassicString(const CommandRecord& record) {
    std::string text(record.prompt);
    if (!record.tooltip.empty()) {
        text += '\n';
        text.append(record.tooltip);
    }
    return SjisText(text);
}

const std::map<int, std::string>& CommandStrings() {
    static const std::map<int, std::string> strings = [] {
        std::map<int, std::string> result;
        for (const CommandRecord& record : CommandRecords()) {
            if (!record.prompt.empty()) result.emplace(CommandNumber(record.id), ClassicString(record));
        }
        // Every recent-file entry shares the first entry's text.
        for (int nID = ID_FILE_MRU_FILE1 + 1; nID <= ID_FILE_MRU_FILE16; ++nID) {
            result.insert_or_assign(nID, result.at(ID_FILE_MRU_FILE1));
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
