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
        const int first = CommandNumber(ID_FILE_MRU_FILE1);
        for (int nID = first + 1; nID <= CommandNumber(ID_FILE_MRU_FILE16); ++nID) {
            result.insert_or_assign(nID, result.at(first));
        }
        return result;
    }();
    return strings;
}

}  // namespace

const std::string& CommandString(CommandId id) {
    static const std::string empty;
    const auto& strings = CommandStrings();
    const auto it = strings.find(CommandNumber(id));
    return it == strings.end() ? empty : it->second;
}

std::string CommandPrompt(CommandId id) {
    const std::string& text = CommandString(id);
    return text.substr(0, text.find('\n'));
}

std::string CommandTooltip(CommandId id) {
    const std::string& text = CommandString(id);
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
