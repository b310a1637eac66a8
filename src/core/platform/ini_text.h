#pragma once
// Values of a small INI text ("[section]" lines and "name=value" lines),
// read-only, with section and value names compared without regard to ASCII
// case. Values keep the text's own encoding.

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace kelmio {

class CIniText {
public:
    explicit CIniText(std::string_view text);

    // The value, or empty when there is none.
    std::string Value(std::string_view section, std::string_view name) const;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

}  // namespace kelmio
