#include "viewer/html_tag.h"

#include "text/compare.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

constexpr std::string_view kTwoQuotes = "\"\"";

bool IsBlank(char c) { return c == ' '; }

// Position of `needle` at or after `from`, found at character boundaries
// only, so the trail byte 0x5C of a kanji never starts a "\"" pair.
std::size_t FindAtBoundary(std::string_view text, std::size_t from, std::string_view needle) {
    for (std::size_t i = from; i < text.size(); i += CharLengthAt(text, i)) {
        if (text.substr(i, needle.size()) == needle) return i;
    }
    return std::string_view::npos;
}

std::string_view Trim(std::string_view value, char quote) {
    while (!value.empty() && value.front() == quote) value.remove_prefix(1);
    while (!value.empty() && value.back() == quote) value.remove_suffix(1);
    return value;
}

std::string_view QuoteText(HtmlQuote quote) {
    switch (quote) {
    case HtmlQuote::kSingle: return "'";
    case HtmlQuote::kEscapedDouble: return "\\\"";
    case HtmlQuote::kDouble: break;
    }
    return "\"";
}

}  // namespace

CHtmlTag::CHtmlTag(std::string_view text) {
    const std::size_t open = text.find('<');
    if (open == std::string_view::npos) return;
    const std::size_t close = text.find('>', open);
    if (close == std::string_view::npos) return;
    std::string_view inner = text.substr(open + 1, close - open - 1);
    if (inner.size() >= 2 && inner.substr(inner.size() - 2) == " /") {
        m_bSelfClosing = true;
        inner.remove_suffix(2);
    }
    const std::size_t blank = inner.find(' ');
    m_strName = inner.substr(0, blank);
    if (blank != std::string_view::npos) ReadAttributes(inner.substr(blank + 1));
}

void CHtmlTag::ReadAttributes(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsBlank(text[pos])) {
            ++pos;
            continue;
        }
        CHtmlElement element;
        const std::size_t nameEnd = std::min(text.find_first_of(" =", pos), text.size());
        element.m_strName = text.substr(pos, nameEnd - pos);
        pos = nameEnd;
        if (pos < text.size() && text[pos] == '=') {
            ++pos;
            std::string_view closing = " ";
            if (text.substr(pos, 2) == "\\\"") {
                element.m_quote = HtmlQuote::kEscapedDouble;
                closing = "\\\"";
            } else if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
                element.m_quote = text[pos] == '"' ? HtmlQuote::kDouble : HtmlQuote::kSingle;
                closing = text.substr(pos, 1);
            }
            const bool quoted = closing != " ";
            const std::size_t valueStart = pos + (quoted ? closing.size() : 0);
            const std::size_t valueEnd = std::min(FindAtBoundary(text, valueStart, closing), text.size());
            element.m_strValue = text.substr(valueStart, valueEnd - valueStart);
            pos = quoted ? std::min(valueEnd + closing.size(), text.size()) : valueEnd;
        }
        m_arrAttributes.push_back(std::move(element));
    }
}

int CHtmlTag::FindAttribute(std::string_view name) const {
    for (std::size_t i = 0; i < m_arrAttributes.size(); ++i) {
        if (EqualsNoCaseMb(m_arrAttributes[i].m_strName, name)) return static_cast<int>(i);
    }
    return -1;
}

void CHtmlTag::SetAttribute(std::string_view name, std::string_view value) {
    const bool removes = value.empty() || value == kTwoQuotes;
    const int index = FindAttribute(name);
    if (index >= 0) {
        const auto at = m_arrAttributes.begin() + index;
        if (removes) m_arrAttributes.erase(at);
        else at->m_strValue = Trim(Trim(value, '\''), '"');
        return;
    }
    if (removes) return;
    m_arrAttributes.push_back(CHtmlElement{std::string(name), std::string(Trim(value, '"')), HtmlQuote::kDouble});
}

std::string CHtmlTag::ToString() const {
    std::string text = "<" + m_strName;
    for (const CHtmlElement& element : m_arrAttributes) {
        text += ' ';
        text += element.m_strName;
        if (element.m_strValue.empty()) continue;
        const std::string_view quote = QuoteText(element.m_quote);
        text += '=';
        text += quote;
        text += element.m_strValue;
        text += quote;
    }
    text += m_bSelfClosing ? " />" : ">";
    return text;
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

}  // namespace kelmio
