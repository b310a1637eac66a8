// kelmio-cli recovery show|text|write PROJECT: the recovery entry the
// application keeps for a project in the user's data folder: its fields as
// JSON, its translation text as Shift-JIS bytes, and writing one from a
// text on standard input the way the application's writer does.

#include <nlohmann/json.hpp>

#include <chrono>

#include "cli/commands.h"
#include "platform/file_io.h"
#include "recovery/process_info.h"
#include "recovery/recovery_source.h"
#include "recovery/recovery_store.h"
#include "recovery/recovery_writer.h"
#include "text/cp932.h"

namespace kelmio::cli {
namespace {

using Json = nlohmann::ordered_json;

Json EntryToJson(const CRecoveryEntry& entry) {
    Json memos = Json::array();
    for (const CKelmioMemo& memo : entry.m_arrMemo) {
        memos.push_back(Json{{"title", Cp932ToUtf8(memo.m_strTitle)}, {"text", Cp932ToUtf8(memo.m_strText)}});
    }
    Json source = nullptr;
    if (entry.m_source) {
        source = Json{{"path", entry.m_source->m_strPath.Native()},
                      {"encoding", entry.m_source->m_nEncoding},
                      {"line_end", entry.m_source->m_nLineEnd},
                      {"text", EditFromRecoverySource(*entry.m_source).strTextUtf8}};
    }
    return Json{{"project", entry.m_strProject.Native()},
                {"pid", entry.m_writer.nPid},
                {"start_time", entry.m_writer.nStartTime},
                {"time", entry.m_nCopyTime},
                {"translation_file", entry.m_strEditFile.Native()},
                {"translation", Cp932ToUtf8(entry.m_strEditText)},
                {"caret", entry.m_nEditCaret},
                {"top_line", entry.m_nEditTopLine},
                {"memos", memos},
                {"selected_memo", entry.m_nSelectedMemo},
                {"source", source}};
}

int Write(const CFilePath& project) {
    const CSystemProcessInfo processes;
    RecoverySnapshot snapshot;
    snapshot.entry.m_writer = processes.Current();
    snapshot.entry.m_nCopyTime = std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::system_clock::now().time_since_epoch())
                                     .count();
    snapshot.entry.m_strProject = project;
    snapshot.strEditTextUtf8 = Cp932ToUtf8(ReadStdin());
    std::optional<FileError> failure;
    {
        CRecoveryWriter writer(CRecoveryStore(DefaultRecoveryFolder()),
                               [&failure](const CFilePath&, const std::optional<FileError>& error) {
                                   failure = error;
                               });
        writer.Write(std::move(snapshot));
    }
    if (failure) {
        PrintError(FileErrorMessage(*failure));
        return 1;
    }
    return 0;
}

}  // namespace

int RunRecoveryCommand(const Args& args) {
    if (args.size() != 2 || (args[0] != "show" && args[0] != "text" && args[0] != "write")) {
        return UsageError("recovery needs show, text or write and a project path");
    }
    const CFilePath project = CFilePath::FromNative(args[1]);
    if (args[0] == "write") return Write(project);
    const std::optional<CRecoveryEntry> entry = CRecoveryStore(DefaultRecoveryFolder()).Load(project);
    if (!entry) {
        PrintError(SjisText("復元用の控えはありません: ") + project.Display());
        return 1;
    }
    if (args[0] == "text") WriteStdout(entry->m_strEditText);
    // Paths are the file system's bytes, which need not be UTF-8.
    else WriteStdout(EntryToJson(*entry).dump(-1, ' ', false, Json::error_handler_t::replace) + "\n");
    return 0;
}

}  // namespace kelmio::cli
