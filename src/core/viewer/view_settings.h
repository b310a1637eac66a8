#pragma once
// The source pane's settings: section "View" (browser mode, fine image
// mode, fitting, the scroll offset of non-HTML documents, fine-mode
// strength) and section "EFont" (the text font), with their defaults,
// and the source display settings dialog ("設定").

#include <optional>
#include <string>
#include <string_view>

namespace kelmio {

class CSettings;

// The text font as the settings keep it. `nSize` is the height in pixels,
// negative for the character height.
struct CSourceFont {
    std::string strFaceName;  // Shift-JIS
    int nSize = -17;
    int nWeight = 400;
    bool bItalic = false;
    bool bUnderline = false;
    int nCharSet = 128;       // Shift_JIS

    bool operator==(const CSourceFont&) const = default;
};

CSourceFont ReadSourceFont(const CSettings& settings);
void WriteSourceFont(CSettings& settings, const CSourceFont& font);

struct CViewSettings {
    bool bBrowserMode = false;
    bool bImagePure = false;
    bool bFitWindow = false;
    int nScrollDownRate = -20;
    int nPureLevel = 10;
};

CViewSettings ReadViewSettings(const CSettings& settings);
void WriteBrowserMode(CSettings& settings, bool browserMode);

// 0 in "System"/"Save" saves a modified source text without asking.
bool SavesSourceWithoutAsking(const CSettings& settings);

// The source display settings dialog: one integer, the scroll offset.
class COptionDlg {
public:
    explicit COptionDlg(int scrollDownRate) : m_nScrollDownRate(scrollDownRate) {}

    static std::string Caption();
    static std::string Label();
    // "整数を入力してください。", shown when the field holds no integer.
    static std::string NotAnIntegerMessage();

    // The field's text when the dialog opens.
    std::string InitialText() const;
    // OK with the field's text: the number, or nullopt when it is not an
    // integer (the dialog shows the message and stays open).
    std::optional<int> Parse(std::string_view text) const;
    // Takes the parsed value and writes it to "View"/"ScrollDownRate".
    void Apply(CSettings& settings, int value);

    int m_nScrollDownRate;
};

}  // namespace kelmio
