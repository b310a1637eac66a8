#include "viewer/view_settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/settings.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr std::string_view kView = "View";
constexpr std::string_view kFont = "EFont";

}  // namespace

CSourceFont ReadSourceFont(const CSettings& settings) {
    CSourceFont font;
    font.strFaceName = settings.GetString(kFont, "FaceName", SjisText("ＭＳ ゴシック"));
    font.nSize = settings.GetInt(kFont, "Size", -17);
    font.nWeight = settings.GetInt(kFont, "Weight", 400);
    font.bItalic = settings.GetInt(kFont, "Italic", 0) != 0;
    font.bUnderline = settings.GetInt(kFont, "Underline", 0) != 0;
    font.nCharSet = settings.GetInt(kFont, "CharSet", 128);
    return font;
}

void WriteSourceFont(CSettings& settings, const CSourceFont& font) {
    settings.WriteString(kFont, "FaceName", font.strFaceName);
    settings.WriteInt(kFont, "Size", font.nSize);
    settings.WriteInt(kFont, "Weight", font.nWeight);
    settings.WriteInt(kFont, "Italic", font.bItalic ? 1 : 0);
    settings.WriteInt(kFont, "Underline", font.bUnderline ? 1 : 0);
    settings.WriteInt(kFont, "CharSet", font.nCharSet);
}

CViewSettings ReadViewSettings(const CSettings& settings) {
    CViewSettings view;
    view.bBrowserMode = settings.GetInt(kView, "BrowserMode", 0) != 0;
    view.bImagePure = settings.GetInt(kView, "ImagePure", 0) != 0;
    view.bFitWindow = settings.GetInt(kView, "WindowSize", 0) != 0;
    view.nScrollDownRate = settings.GetInt(kView, "ScrollDownRate", -20);
    view.nPureLevel = settings.GetInt(kView, "PureLevel", 10);
    return view;
}

void WriteBrowserMode(CSettings& settings, bool browserMode) {
    settings.WriteInt(kView, "BrowserMode", browserMode ? 1 : 0);
}

bool SavesSourceWithoutAsking(const CSettings& settings) { return settings.GetInt("System", "Save", 1) == 0; }

std::string COptionDlg::Caption() { return SjisText("設定"); }
std::string COptionDlg::Label() { return SjisText("PDF表示時等の下スクールマウス位置(&M):"); }
std::string COptionDlg::NotAnIntegerMessage() { return SjisText("整数を入力してください。"); }

std::string COptionDlg::InitialText() const { return std::to_string(m_nScrollDownRate); }

std::optional<int> COptionDlg::Parse(std::string_view text) const {
    const std::string value(text);
    const char* begin = value.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    if (*begin == '\0') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || number < INT_MIN || number > INT_MAX) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return std::nullopt;
    return static_cast<int>(number);
}

void COptionDlg::Apply(CSettings& settings, int value) {
    m_nScrollDownRate = value;
    settings.WriteInt(kView, "ScrollDownRate", value);
}

}  // namespace kelmio
