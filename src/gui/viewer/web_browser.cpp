#include "gui/viewer/web_browser.h"

#include <wx/filename.h>

#include "gui/platform/wx_text.h"
#include "viewer/page_selection.h"

namespace kelmio {

namespace {

wxString UrlOf(const CFilePath& location) {
    const std::string& native = location.Native();
    if (native.find("://") != std::string::npos || native.rfind("about:", 0) == 0) return wxString::FromUTF8(native);
    return wxFileName::FileNameToURL(wxFileName(ToWxPath(location)));
}

}  // namespace

void CWebBrowser::Navigate(const CFilePath& location) { LoadUrl(UrlOf(location), true); }

void CWebBrowser::ShowGeneratedPage(const CFilePath& page) { LoadUrl(UrlOf(page), false); }

std::string CWebBrowser::LocationUrl() const {
    const wxString url = CurrentUrl();
    if (url.Lower().StartsWith("file:")) {
        return "file://" + FromWxPath(wxFileName::URLToFileName(url).GetFullPath()).Display();
    }
    return FromWx(url);
}

void CWebBrowser::ScrollBrowser(ScrollOp op) {
    ScrollByName(wxString::FromUTF8(std::string(BrowserScrollName(op))));
}

std::string CWebBrowser::GetBrowserSelection() {
    const std::string utf8 = SelectionAnswer().utf8_string();
    return PageLookupWord(utf8);
}

}  // namespace kelmio
