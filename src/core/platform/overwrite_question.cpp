#include "platform/overwrite_question.h"

#include "platform/file_io.h"
#include "platform/prompter.h"
#include "text/cp932.h"

namespace kelmio {

std::string OverwriteQuestion(const CFilePath& path) {
    return path.Display() + SjisText(" は既に存在します。\n上書きしますか?");
}

bool MayReplaceAddedName(CPrompter& prompter, const CFilePath& typed, const CFilePath& target) {
    if (target == typed || !PathExists(target)) return true;
    return prompter.Message(OverwriteQuestion(target), MessageButtons::kYesNo, MessageIcon::kExclamation) ==
           Answer::kYes;
}

}  // namespace kelmio
