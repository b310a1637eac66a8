// kelmio-cli project show FILE / project write FILE: a project file as JSON
// (UTF-8) and back, written exactly as the application saves it.

#include <cstdint>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>
#include <string_view>

#include "cli/commands.h"
#include "cli/project_json.h"
#include "platform/file_io.h"
#include "project/project_file.h"
#include "text/cp932.h"

namespace kelmio::cli {

namespace {

using Json = nlohmann::ordered_json;

Json PosDataToJson(const CKelmioPosData& pos, std::uint32_t version) {
    return Json{{"version", version},
                {"scroll_x", pos.m_nScrollX},
                {"scroll_y", pos.m_nScrollY},
                {"client_size", pos.m_bClientSize},
                {"enlarge", pos.m_bEnlarge},
                {"reduce", pos.m_bReduce},
                {"enlarge_factor", pos.m_nEnlarge},
                {"reduce_divisor", pos.m_nReduce},
                {"fit_window", pos.m_bFitWindow},
                {"browser_mode", pos.m_bBrowserMode},
                {"edit_caret", pos.m_nEditCaret},
                {"edit_top_line", pos.m_nEditTopLine}};
}

Json ProjectToJson(const CKelmioData& data, std::uint32_t stateVersion) {
    Json memos = Json::array();
    for (std::size_t i = 0; i < data.GetMemoCount(); ++i) {
        const CKelmioMemo& memo = data.GetMemo(i);
        memos.push_back(Json{{"title", Cp932ToUtf8(memo.m_strTitle)}, {"text", Cp932ToUtf8(memo.m_strText)}});
    }
    Json history = Json::array();
    // File names as the file system spells them (UTF-8 here).
    for (const CFilePath& entry : data.m_arrSrcHistory) history.push_back(entry.Native());
    return Json{{"source", data.m_strSrcFile.Native()},
                {"translation", data.m_strEditFile.Native()},
                {"reserved", data.m_nReserved},
                {"dictionary",
                 Json{{"kind", data.m_nDicKind},
                      {"path", Cp932ToUtf8(data.m_strDicPath)},
                      {"params", Cp932ToUtf8(data.m_strDicParam)}}},
                {"memos", std::move(memos)},
                {"history", std::move(history)},
                {"view", PosDataToJson(data.m_pos, stateVersion)}};
}


int ShowProject(const std::string& nativePath) {
    CKelmioData data;
    const ProjectLoadResult loaded = LoadProjectFile(CFilePath::FromNative(nativePath), data);
    if (!loaded.ok()) {
        PrintError(loaded.message);
        return 1;
    }
    const Json json = ProjectToJson(data, loaded.stateVersion);
    WriteStdout(json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
    return 0;
}

int WriteProjectFromStdin(const std::string& nativePath) {
    Json json;
    try {
        json = Json::parse(ReadStdin());
    } catch (const Json::parse_error& error) {
        std::cerr << "kelmio-cli: stdin is not JSON: " << error.what() << '\n';
        return 1;
    }
    CKelmioData data;
    try {
        const std::size_t unconvertible = ProjectFromJson(json, data);
        if (unconvertible > 0) {
            std::cerr << "kelmio-cli: " << unconvertible
                      << " character(s) have no Shift-JIS form and were written as \"?\"\n";
        }
    } catch (const BadInput& bad) {
        std::cerr << "kelmio-cli: " << bad.what << '\n';
        return 1;
    }
    if (const std::optional<std::string> error = SaveProjectFile(CFilePath::FromNative(nativePath), data)) {
        PrintError(*error);
        return 1;
    }
    return 0;
}

}  // namespace

int RunProjectCommand(const Args& args) {
    if (args.size() != 2) return UsageError("project needs two arguments: show FILE or write FILE");
    if (args[0] == "show") return ShowProject(args[1]);
    if (args[0] == "write") return WriteProjectFromStdin(args[1]);
    return UsageError("unknown project command: " + args[0]);
}

}  // namespace kelmio::cli
