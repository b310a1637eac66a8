#pragma once
// One HTML start tag as text and as a name with attributes, for the media
// element of the preview page, and the escaping of text written into a page.

#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

// How an attribute's value is quoted in the tag text.
enum class HtmlQuote {
    kDouble = 0,           // "value"
    kSingle = 1,           // 'value'
    kEscapedDouble = 2,    // \"value\"
};

struct CHtmlElement {
    std::string m_strName;
    std::string m_strValue;
    HtmlQuote m_quote = HtmlQuote::kDouble;

    bool operator==(const CHtmlElement&) const = default;
};

class CHtmlTag {
public:
    CHtmlTag() = default;
    // Reads the first tag of `text` ("<NAME a=1 b='x' c />"); a text without
    // "<" or ">" gives an empty tag.
    explicit CHtmlTag(std::string_view text);

    const std::string& Name() const { return m_strName; }
    const std::vector<CHtmlElement>& Attributes() const { return m_arrAttributes; }
    bool IsSelfClosing() const { return m_bSelfClosing; }

    // Sets, replaces or (with an empty value or "\"\"") removes an attribute;
    // names compare without regard to case.
    void SetAttribute(std::string_view name, std::string_view value);
    // Index of the attribute, or -1.
    int FindAttribute(std::string_view name) const;
    std::string ToString() const;

private:
    void ReadAttributes(std::string_view text);

    std::string m_strName;
    std::vector<CHtmlElement> m_arrAttributes;
    bool m_bSelfClosing = false;
};

// `text` (Shift-JIS) as HTML text or a quoted attribute value: "&", "<", ">",
// the double and the single quote become character references, so a file
// name never becomes markup. The five are below 0x40, never a trail byte, so
// every double-byte character passes unchanged.
std::string EscapeHtml(std::string_view text);

}  // namespace kelmio
