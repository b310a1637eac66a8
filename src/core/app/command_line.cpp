#include "app/command_line.h"

#include <algorithm>
#include <cctype>

#include "text/cp932.h"

namespace kelmio {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsFlag(const std::string& arg) { return arg.size() > 1 && (arg[0] == '/' || arg[0] == '-'); }

}  // namespace

CCommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
    using Action = CCommandLineInfo::Action;
    CCommandLineInfo info;
    bool printTo = false;
    int plain = 0;
    for (const std::string& arg : args) {
        // An absolute path starts with "/" on this platform: only the known
        // flags are flags.
        const std::string flag = IsFlag(arg) ? Lower(arg.substr(1)) : std::string();
        if (flag == "p") {
            info.m_nShellCommand = Action::kFilePrint;
        } else if (flag == "pt") {
            info.m_nShellCommand = Action::kFilePrintTo;
            printTo = true;
        } else if (flag == "dde") {
            info.m_nShellCommand = Action::kFileDde;
        } else {
            switch (plain++) {
            case 0:
                info.m_strFileName = CFilePath::FromNative(arg);
                if (info.m_nShellCommand == Action::kFileNew) info.m_nShellCommand = Action::kFileOpen;
                break;
            case 1: info.m_strPrinterName = Utf8ToCp932(arg); break;
            case 2: info.m_strDriverName = Utf8ToCp932(arg); break;
            case 3: info.m_strPortName = Utf8ToCp932(arg); break;
            default: break;
            }
        }
    }
    if (printTo && plain == 0) info.m_nShellCommand = Action::kFileNew;
    if (info.m_nShellCommand == Action::kFilePrint && info.m_strFileName.empty()) {
        info.m_nShellCommand = Action::kFileNew;
    }
    return info;
}

std::optional<ShellRequest> ParseShellRequest(const std::string& text) {
    // [verb("a","b",...)]
    if (text.size() < 4 || text.front() != '[' || text.back() != ']') return std::nullopt;
    const std::string body = text.substr(1, text.size() - 2);
    const std::size_t open = body.find('(');
    if (open == std::string::npos || body.back() != ')') return std::nullopt;

    ShellRequest request;
    request.verb = Lower(body.substr(0, open));
    if (request.verb != "open" && request.verb != "print" && request.verb != "printto") return std::nullopt;

    // Arguments are quoted; a quote inside one is doubled.
    const std::string list = body.substr(open + 1, body.size() - open - 2);
    std::size_t i = 0;
    while (i < list.size()) {
        if (list[i] != '"') return std::nullopt;
        std::string arg;
        bool closed = false;
        for (++i; i < list.size(); ++i) {
            if (list[i] != '"') {
                arg += list[i];
            } else if (i + 1 < list.size() && list[i + 1] == '"') {
                arg += '"';
                ++i;
            } else {
                closed = true;
                ++i;
                break;
            }
        }
        if (!closed) return std::nullopt;
        request.args.push_back(std::move(arg));
        if (i < list.size()) {
            if (list[i] != ',' || i + 1 == list.size()) return std::nullopt;
            ++i;
        }
    }
    const std::size_t wanted = request.verb == "printto" ? 4 : 1;
    if (request.args.size() != wanted) return std::nullopt;
    return request;
}

std::string MakeOpenRequest(const CFilePath& path) {
    std::string quoted;
    for (const char c : path.Native()) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return "[open(\"" + quoted + "\")]";
}

}  // namespace kelmio
