#include "dictionary/custom_program_approval.h"

#include <algorithm>

#include "platform/settings.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr std::string_view kSection = "ApprovedDictionaryPrograms";

std::string Numbered(std::string_view name, int number) { return std::string(name) + std::to_string(number); }

}  // namespace

std::vector<CustomCommand> CCustomProgramApproval::Read() const {
    // The count comes from a file the user may have edited: it only bounds
    // the loop, never an allocation.
    const int count = std::clamp(m_settings.GetInt(kSection, "Count", 0), 0, kMaxApprovedPrograms);
    std::vector<CustomCommand> commands;
    for (int i = 1; i <= count; ++i) {
        commands.push_back({m_settings.GetString(kSection, Numbered("Program", i), ""),
                            m_settings.GetString(kSection, Numbered("Parameters", i), "")});
    }
    return commands;
}

bool CCustomProgramApproval::IsApproved(const CustomCommand& command) const {
    // Compared byte for byte: a value the settings file could not keep
    // exactly never matches, so such a command is asked about again.
    const std::vector<CustomCommand> commands = Read();
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

void CCustomProgramApproval::Approve(const CustomCommand& command) {
    std::vector<CustomCommand> commands = Read();
    if (std::find(commands.begin(), commands.end(), command) != commands.end()) return;
    commands.push_back(command);
    if (commands.size() > static_cast<std::size_t>(kMaxApprovedPrograms)) commands.erase(commands.begin());
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        m_settings.WriteString(kSection, Numbered("Program", number), commands[i].program);
        m_settings.WriteString(kSection, Numbered("Parameters", number), commands[i].parameters);
    }
    m_settings.WriteInt(kSection, "Count", static_cast<int>(commands.size()));
}

std::string CustomProgramQuestion(const CustomCommand& command) {
    std::string text = SjisText("プロジェクトの辞書設定が次のプログラムを起動しようとしています。\n\n");
    text += SjisText("プログラム：") + command.program + "\n";
    text += SjisText("パラメータ：") + command.parameters + "\n\n";
    if ((command.program + command.parameters).find("%s") != std::string::npos) {
        text += SjisText("%s は検索する語に置き換えられます。\n");
    }
    text += SjisText("このプログラムを実行しますか？\n［はい］を選ぶと、同じプログラムとパラメータでは次から確認しません。");
    return text;
}

}  // namespace kelmio
