#include "gui/viewer/web_browser.h"

#include <wx/filename.h>

#include "gui/platform/wx_text.h"

namespace kelmio {

void CWebBrowser::Navigate(const CFilePath& location) {
    const std::string& native = location.Native();
    if (native.find("://") != std::string::npos || native.rfind("about:", 0) == 0) {
        LoadUrl(wxString::FromUTF8(native));
        return;
    }
    LoadUrl(wxFileName::FileNameToURL(wxFileName(ToWxPath(location))));
}

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

std::string CWebBrowser::GetBrowserSelection() { return FromWx(SelectedText()); }

}  // namespace kelmio
