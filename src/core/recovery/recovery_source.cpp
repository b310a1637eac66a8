#include "recovery/recovery_source.h"

#include "encoding/text_source.h"
#include "platform/file_error.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/private_folder.h"
#include "platform/prompter.h"
#include "project/kelmio_doc.h"
#include "recovery/local_time.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// An entry read from disk may name no encoding this program knows: its
// text is then written back as the bytes it holds.
TextSourceKind KindOf(const RecoverySource& source) {
    TextSourceKind kind;
    kind.encoding = EncodingFromNumber(source.m_nEncoding).value_or(TextEncoding::kShiftJis);
    kind.lineEnd = LineEndFromNumber(source.m_nLineEnd).value_or(LineEnd::kNone);
    return kind;
}

bool HeldAsUtf8(std::int32_t encoding) {
    const std::optional<TextEncoding> known = EncodingFromNumber(encoding);
    return known && IsUnicodeEncoding(*known);
}

std::string NotRestoredReason(const CKelmioDoc& doc, const RecoverySource& source) {
    if (source.m_strPath != doc.m_data.m_strSrcFile) {
        return SjisText("プロジェクトのソースが控えのときと違うため、復元しませんでした。");
    }
    return SjisText("ソースをテキストとして表示できないため、復元しませんでした。");
}

}  // namespace

RecoverySource RecoverySourceFromEdit(const SourceTextEdit& edit) {
    RecoverySource source;
    source.m_strPath = edit.strPath;
    source.m_nEncoding = edit.nEncoding;
    source.m_nLineEnd = edit.nLineEnd;
    source.m_strText = HeldAsUtf8(edit.nEncoding) ? edit.strTextUtf8 : Utf8ToCp932(edit.strTextUtf8);
    return source;
}

SourceTextEdit EditFromRecoverySource(const RecoverySource& source) {
    SourceTextEdit edit;
    edit.strPath = source.m_strPath;
    edit.nEncoding = source.m_nEncoding;
    edit.nLineEnd = source.m_nLineEnd;
    edit.strTextUtf8 = HeldAsUtf8(source.m_nEncoding) ? source.m_strText : Cp932ToUtf8(source.m_strText);
    return edit;
}

std::string RecoverySourceFileBytes(const RecoverySource& source) {
    SourceText text;
    if (HeldAsUtf8(source.m_nEncoding)) text = Utf8SourceText{source.m_strText};
    else text = SjisSourceText{source.m_strText};
    return SourceFileBytes(text, KindOf(source));
}

CFilePath SetAsidePath(const CFilePath& folder, const CFilePath& sourcePath, std::int64_t copyTime) {
    // The file system's own bytes: "." is never part of another character.
    std::string name = sourcePath.FileName().Native();
    std::string extension;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        extension = name.substr(dot);
        name.resize(dot);
    }
    if (name.empty()) name = "source";
    return folder.Join(CFilePath::FromNative(name + "-recovered-" + LocalTimeText(copyTime, "%Y%m%d-%H%M%S").value_or("0") + extension));
}

SourceRecoveryOutcome ApplySourceRecovery(CKelmioDoc& doc, const CRecoveryEntry& entry, const CFilePath& folder,
                                          CPrompter& prompter) {
    if (!entry.m_source) return SourceRecoveryOutcome::kNone;
    const RecoverySource& source = *entry.m_source;
    CSourcePane* pane = doc.GetTextView();
    if (source.m_strPath == doc.m_data.m_strSrcFile && pane != nullptr &&
        pane->RestoreModifiedText(EditFromRecoverySource(source))) {
        return SourceRecoveryOutcome::kRestored;
    }
    const std::string heading = SjisText("ソース「") + source.m_strPath.Display() + SjisText("」の保存されていない編集は、") +
                                NotRestoredReason(doc, source);
    const CFilePath aside = SetAsidePath(folder, source.m_strPath, entry.m_nCopyTime);
    MakeWorkCopyFolder(folder);
    if (const std::optional<FileError> error = SavePrivateFileAtomically(aside, RecoverySourceFileBytes(source))) {
        prompter.Message(heading + SjisText("\n編集したテキストをファイルに残すこともできませんでした。\n\n") +
                             FileErrorMessage(*error) +
                             SjisText("\n\n控えは書き換えずに残してあります。"),
                         MessageButtons::kOk, MessageIcon::kExclamation);
        return SourceRecoveryOutcome::kNotKept;
    }
    prompter.Message(heading + SjisText("\n編集したテキストは次のファイルに残してあります。\n\n") + aside.Display(),
                     MessageButtons::kOk, MessageIcon::kInformation);
    return SourceRecoveryOutcome::kSetAside;
}

}  // namespace kelmio
