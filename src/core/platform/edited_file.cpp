#include "platform/edited_file.h"

#include "platform/prompter.h"
#include "text/cp932.h"

namespace kelmio {

std::string OutsideChangeQuestion(const CFilePath& path) {
    return path.Display() + SjisText(" は他のプログラムで変更されています。\n\n上書き保存しますか？\n"
                                     "［はい］で上書き保存し、［いいえ］でファイルを読み直します(編集した内容は失われます)。"
                                     "［ｷｬﾝｾﾙ］では保存しません。");
}

std::string OutsideDeletionNotice(const CFilePath& path) {
    return path.Display() + SjisText(" は他のプログラムで削除されています。\n"
                                     "表示中のテキストは残してあります。保存するとファイルを作り直します。");
}

void CEditedFile::Take(const CFilePath& path) {
    m_path = path;
    m_known = TakeFileStamp(path);
}

void CEditedFile::Forget() {
    m_path = {};
    m_known.reset();
}

SaveOverChoice CEditedFile::BeforeSave(CPrompter& prompter, const CFilePath& path) const {
    if (!m_known || path != m_path) return SaveOverChoice::kWrite;
    const CFileStamp now = TakeFileStamp(path);
    if (now == *m_known || !now.bExists) return SaveOverChoice::kWrite;
    switch (prompter.Message(OutsideChangeQuestion(path), MessageButtons::kYesNoCancel, MessageIcon::kExclamation)) {
        case Answer::kYes: return SaveOverChoice::kWrite;
        case Answer::kNo: return SaveOverChoice::kReload;
        default: return SaveOverChoice::kCancel;
    }
}

ReturnAction CEditedFile::OnFocusReturn(CPrompter& prompter, bool modified, const std::function<bool()>& holdsText) {
    if (!m_known) return ReturnAction::kNothing;
    const CFileStamp now = TakeFileStamp(m_path);
    if (now == *m_known) return ReturnAction::kNothing;
    if (now.bExists) return modified ? ReturnAction::kNothing : ReturnAction::kReload;
    // Gone: told once; from now on its absence is what is known, and a
    // save makes the file again without asking.
    m_known = now;
    if (!holdsText()) return ReturnAction::kNothing;
    prompter.Message(OutsideDeletionNotice(m_path), MessageButtons::kOk, MessageIcon::kExclamation);
    return ReturnAction::kKeepText;
}

}  // namespace kelmio
