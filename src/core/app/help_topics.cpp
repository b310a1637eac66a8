#include "app/help_topics.h"

#include "text/cp932.h"

namespace kelmio {

bool IsHelpRequestShown(HelpCommand command, int number) {
    if (command == HelpCommand::kContext) return number == kHelpTopicHowTo;
    return command != HelpCommand::kSetContents;
}

HelpAction HelpActionFor(HelpCommand command) {
    switch (command) {
        case HelpCommand::kContext: return HelpAction::kShowTopic;
        case HelpCommand::kFinder: return HelpAction::kShowDefaultTopic;
        case HelpCommand::kSetContents:
        case HelpCommand::kOther: return HelpAction::kNothing;
    }
    return HelpAction::kNothing;
}

std::string MissingHelpFileMessage(std::string_view path) {
    return SjisText("ヘルプファイルがありません：") + std::string(path);
}

std::string DamagedHelpFileMessage(std::string_view path) {
    return SjisText("ヘルプファイルを読み込めません：") + std::string(path);
}

}  // namespace kelmio
