#include "gui/platform/file_filter.h"

#include <string>
#include <vector>

#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            break;
        }
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// "*.txt" becomes "*.[tT][xX][tT]" for the case-sensitive matcher.
wxString CaseInsensitivePattern(const std::string& utf8Pattern) {
    if (utf8Pattern == "*.*") return "*";
    wxString result;
    for (const wxUniChar c : wxString::FromUTF8(utf8Pattern)) {
        const wxString lower = wxString(c).Lower();
        const wxString upper = wxString(c).Upper();
        result += lower == upper ? wxString(c) : "[" + lower + upper + "]";
    }
    return result;
}

}  // namespace

wxString ToWxWildcard(std::string_view sjisFilter) {
    // Split in UTF-8: in Shift-JIS a "|" byte may be the second half of a
    // character such as "ポ".
    const std::vector<std::string> parts = SplitAt(Cp932ToUtf8(sjisFilter), '|');
    wxString wildcard;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) break;  // the closing "||"
        wxString patterns;
        for (const std::string& pattern : SplitAt(parts[i + 1], ';')) {
            if (pattern.empty()) continue;
            if (!patterns.empty()) patterns += ";";
            patterns += CaseInsensitivePattern(pattern);
        }
        if (patterns.empty()) continue;
        if (!wildcard.empty()) wildcard += "|";
        wildcard += wxString::FromUTF8(parts[i]) + "|" + patterns;
    }
    return wildcard;
}

}  // namespace kelmio
