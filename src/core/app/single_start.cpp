#include "app/single_start.h"

#include "platform/prompter.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

std::string Shown(std::string_view folder) { return CFilePath::FromNative(folder).Display(); }

bool PrintsOnItsOwn(const CCommandLineInfo& commandLine) {
    using Action = CCommandLineInfo::Action;
    return commandLine.m_nShellCommand == Action::kFilePrint || commandLine.m_nShellCommand == Action::kFilePrintTo;
}

// The request a start hands over: its project, or none (only "show yourself").
std::string RequestOf(const CCommandLineInfo& commandLine) {
    if (commandLine.m_nShellCommand == CCommandLineInfo::Action::kFileOpen) {
        return MakeOpenRequest(commandLine.m_strFileName);
    }
    return {};
}

StartRole Refuse(CPrompter& prompter, const std::string& message) {
    prompter.Message(message, MessageButtons::kOk, MessageIcon::kStop);
    return StartRole::kEnd;
}

}  // namespace

std::string UnsafeInstanceFolderMessage(std::string_view folder) {
    return SjisText("Kelmioを起動できません。\n起動の確認に使うフォルダが、他のユーザーのものか、"
                    "他のユーザーも書き込めるフォルダです：\n") +
           Shown(folder);
}

std::string NoInstanceLockMessage(std::string_view folder) {
    return SjisText("Kelmioを起動できません。\n起動の確認に使うファイルを作成できません：\n") + Shown(folder);
}

std::string InstanceNotAnsweringMessage() {
    return SjisText("Kelmioは既に起動していますが、応答がありません。\n"
                    "しばらくしてから、もう一度起動してください。");
}

StartRole DecideStartRole(InstanceClaim claim, const CCommandLineInfo& commandLine, const InstanceSender& send,
                          std::string_view folder, CPrompter& prompter) {
    // Printing is done by the start itself, beside any Kelmio that runs.
    if (claim == InstanceClaim::kOurs || PrintsOnItsOwn(commandLine)) return StartRole::kRun;
    switch (claim) {
        case InstanceClaim::kElsewhere:
            return send(RequestOf(commandLine)) ? StartRole::kHandedOver
                                                : Refuse(prompter, InstanceNotAnsweringMessage());
        case InstanceClaim::kNoFolder: return Refuse(prompter, UnsafeInstanceFolderMessage(folder));
        case InstanceClaim::kNoLock: return Refuse(prompter, NoInstanceLockMessage(folder));
        case InstanceClaim::kOurs: break;
    }
    return StartRole::kRun;
}

}  // namespace kelmio
