#include "gui/viewer/r_edit_ctrl.h"

#include <wx/colour.h>
#include <wx/font.h>

#include <vector>

#include "viewer/text_search.h"

namespace kelmio {

std::optional<std::size_t> CREditCtrl::FindFirst(const std::string& utf8) {
    m_strLastFind = utf8;
    return FindNext();
}

std::optional<std::size_t> CREditCtrl::FindNext() {
    const std::string_view text = SearchText();
    const std::optional<std::size_t> hit = FindNoCase(text, SearchStart(text, SelectionEnd()), m_strLastFind);
    if (hit) SelectAndShow(*hit, *hit + m_strLastFind.size());
    return hit;
}

int CREditCtrl::ReplaceAll(const std::string& find, const std::string& replacement) {
    const std::vector<std::size_t> matches = ReplaceAllMatches(SearchText(), SelectionEnd(), find);
    if (matches.empty()) return 0;
    Freeze(true);
    // From the last match back, so the earlier offsets stay valid.
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) ReplaceRange(*it, *it + find.size(), replacement);
    Freeze(false);
    // The last replacement, moved by the size change of those before it.
    const auto before = static_cast<std::ptrdiff_t>(matches.size() - 1);
    const auto change = static_cast<std::ptrdiff_t>(replacement.size()) - static_cast<std::ptrdiff_t>(find.size());
    const auto last = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(matches.back()) + before * change);
    SelectAndShow(last, last + replacement.size());
    return static_cast<int>(matches.size());
}

std::optional<wxFont> CREditCtrl::GetSelectionFont() const { return std::nullopt; }

std::optional<wxColour> CREditCtrl::GetSelectionColor() const { return std::nullopt; }

}  // namespace kelmio
