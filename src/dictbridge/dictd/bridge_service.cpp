#include "dictd/bridge_service.h"

#include "text/cp932.h"

namespace kelmio::dictd {
namespace {

std::string WithCrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\0') continue;
        if (ch == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += ch;
    }
    return result;
}

// Trailing blank lines of a definition are dropped, so entries join with
// exactly one empty line between them.
std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
    return text;
}

std::string UntilNul(std::string_view data) { return std::string(data.substr(0, data.find('\0'))); }

}  // namespace

std::string AnswerText(const LookupResult& result) {
    std::string utf8;
    for (const std::string& definition : result.definitions) {
        if (!utf8.empty()) utf8 += "\n\n";
        utf8 += TrimEnd(definition);
    }
    for (const std::string& problem : result.problems) {
        if (!utf8.empty()) utf8 += "\n\n";
        utf8 += "辞書ファイルを読めません: " + problem;
    }
    const ConversionResult converted = Utf8ToCp932Checked(WithCrLf(utf8));
    std::string text = converted.text;
    if (converted.unconvertible > 0) {
        text += Utf8ToCp932("\r\n\r\n(Shift-JISにない文字 " + std::to_string(converted.unconvertible) +
                            " 個を ? で置き換えました)");
    }
    return text;
}

bool CBridgeConversation::OnPoke(std::string_view item, std::string_view data) {
    bool taken = false;
    // Every find replaces the answer: one refused (closed, or no word) must
    // not leave the last word's answer to be requested under the new word.
    if (item == "Find") m_answer.reset();
    if (item == "SetAnsi" || item == "Close") {
        taken = true;
        if (item == "Close") m_bOpen = false;
    } else if (item == "Open") {
        m_shelf.Load();
        m_bOpen = m_shelf.DatabaseCount() > 0;
        taken = m_bOpen;
    } else if (item == "Find" && m_bOpen) {
        const LookupResult result = m_shelf.Lookup(Cp932ToUtf8(UntilNul(data)));
        if (result.definitions.empty() && result.problems.empty()) {
            m_answer.reset();
        } else {
            m_answer = AnswerText(result);
        }
        taken = m_answer.has_value();
    }
    m_bLastPoke = taken;
    return taken;
}

std::optional<std::string> CBridgeConversation::OnRequest(std::string_view item) {
    if (item == kPokeStatusItem) return std::string(m_bLastPoke ? "1" : "0") + '\0';
    if (item == "Find" && m_answer) return *m_answer + '\0';
    return std::nullopt;
}

}  // namespace kelmio::dictd
