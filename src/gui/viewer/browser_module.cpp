#include "gui/viewer/browser_module.h"

#include <wx/dynload.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include "gui/platform/wx_text.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// The loader's errors go to the toolkit's log, which would show them in a
// box of its own with no word of what failed; they are collected here and
// told as part of our own message.
class CLogCapture final : public wxLog {
public:
    CLogCapture() : m_pPrevious(wxLog::SetActiveTarget(this)) {}
    ~CLogCapture() override { wxLog::SetActiveTarget(m_pPrevious); }
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    const wxString& Text() const { return m_text; }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& /*info*/) override {
        if (level > wxLOG_Warning) return;
        if (!m_text.empty()) m_text += "\n";
        m_text += msg;
    }

private:
    wxLog* m_pPrevious;
    wxString m_text;
};

wxString ProgramFolder() {
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
}

}  // namespace

CBrowserModule::CBrowserModule() {
    const wxString program = ProgramFolder();
    m_folders.push_back(program);
    wxFileName installed(program, wxString());
    installed.RemoveLastDir();
    installed.AppendDir("lib");
    installed.AppendDir("kelmio");
    m_folders.push_back(installed.GetPath());
#ifdef KELMIO_BROWSER_MODULE_DIR
    m_folders.push_back(wxString::FromUTF8(KELMIO_BROWSER_MODULE_DIR));
#endif
}

CBrowserModule::CBrowserModule(std::vector<wxString> folders) : m_folders(std::move(folders)) {}

std::unique_ptr<CWebBrowser> CBrowserModule::Create(wxWindow* parent) {
    const BrowserFactory factory = Factory();
    if (factory == nullptr) return nullptr;
    std::unique_ptr<CWebBrowser> browser(factory(parent));
    if (!browser) {
        Fail(wxString::FromUTF8(kFileName), WxText("Web エンジンがブラウザーを作れませんでした。"));
        return nullptr;
    }
    m_strFailure.clear();
    return browser;
}

BrowserFactory CBrowserModule::Factory() {
    if (m_factory != nullptr) return m_factory;
    wxString file;
    for (const wxString& folder : m_folders) {
        const wxFileName candidate(folder, wxString::FromUTF8(kFileName));
        if (candidate.FileExists()) {
            file = candidate.GetFullPath();
            break;
        }
    }
    if (file.empty()) {
        wxString searched;
        for (const wxString& folder : m_folders) searched += "\n" + folder;
        Fail(wxString::FromUTF8(kFileName), WxText("次のフォルダーにありません:") + searched);
        return nullptr;
    }
    CLogCapture log;
    // Global, so the engine's own functions the module looks up by name
    // are found; never unloaded (see the header).
    wxPluginLibrary* library = wxPluginManager::LoadLibrary(file, wxDL_VERBATIM | wxDL_NOW | wxDL_GLOBAL);
    if (library == nullptr) {
        Fail(file, log.Text().empty() ? WxText("読み込めませんでした。") : log.Text());
        return nullptr;
    }
    void* symbol = library->GetSymbol(wxString::FromUTF8(kBrowserFactoryName));
    if (symbol == nullptr) {
        Fail(file, WxText("別の版の Kelmio のものです (") + wxString::FromUTF8(kBrowserFactoryName) + WxText(" がありません)。"));
        return nullptr;
    }
    m_factory = reinterpret_cast<BrowserFactory>(symbol);
    return m_factory;
}

void CBrowserModule::Fail(const wxString& file, const wxString& reason) {
    m_strFailure = SjisText("ブラウザー部品を読み込めません。ページ、PDF と URL は表示できません。\n\nファイル: ") +
                   FromWx(file) + "\n" + FromWx(reason);
}

}  // namespace kelmio
