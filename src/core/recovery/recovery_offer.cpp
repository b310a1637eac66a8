#include "recovery/recovery_offer.h"

#include "platform/prompter.h"
#include "recovery/local_time.h"
#include "recovery/process_info.h"
#include "text/cp932.h"

namespace kelmio {

bool ShouldOfferRecovery(const CRecoveryEntry& entry, std::int64_t projectFilesTime, bool kept,
                         const ProcessIdentity& self, const CProcessInfo& processes) {
    if (!kept && entry.m_nCopyTime <= projectFilesTime) return false;
    if (entry.m_writer == self) return false;
    return !processes.IsRunning(entry.m_writer);
}

std::string RecoveryQuestion(const CRecoveryEntry& entry) {
    return SjisText("保存されていない作業の控えがあります。\n\nプロジェクト: ") + entry.m_strProject.Display() +
           SjisText("\n控えの時刻: ") + LocalTimeText(entry.m_nCopyTime, "%Y/%m/%d %H:%M:%S").value_or("?") +
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
