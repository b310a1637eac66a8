#include "recovery/recovery_offer.h"

#include <ctime>

#include "platform/prompter.h"
#include "recovery/process_info.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

std::string LocalTimeText(std::int64_t milliseconds) {
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) return "?";
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

}  // namespace

bool ShouldOfferRecovery(const CRecoveryEntry& entry, std::int64_t projectFilesTime, const ProcessIdentity& self,
                         const CProcessInfo& processes) {
    if (entry.m_nCopyTime <= projectFilesTime) return false;
    if (entry.m_writer == self) return false;
    return !processes.IsRunning(entry.m_writer);
}

std::string RecoveryQuestion(const CRecoveryEntry& entry) {
    return SjisText("保存されていない作業の控えがあります。\n\nプロジェクト: ") + entry.m_strProject.Display() +
           SjisText("\n控えの時刻: ") + LocalTimeText(entry.m_nCopyTime) +
           SjisText("\n\n復元しますか？\n［はい］で復元し、［いいえ］で控えを破棄します。"
                    "［ｷｬﾝｾﾙ］では控えを残し、次に開くときにまた尋ねます。");
}

RecoveryOutcome AskRecovery(CPrompter& prompter, const CRecoveryEntry& entry) {
    // Yes is the default button of the box: pressing Enter restores.
    switch (prompter.Message(RecoveryQuestion(entry), MessageButtons::kYesNoCancel, MessageIcon::kQuestion)) {
        case Answer::kYes: return RecoveryOutcome::kRestore;
        case Answer::kNo: return RecoveryOutcome::kDiscard;
        default: return RecoveryOutcome::kKeep;
    }
}

}  // namespace kelmio
