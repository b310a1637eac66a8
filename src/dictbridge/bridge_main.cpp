// kelmio-dictbridge: answers Kelmio's dictionary lookups on Linux from
// dictd databases (and a DICT server, when the settings name one),
// speaking the conversation of the dictionary services
// "PDICW" and "PDICU". Kelmio starts it when no service answers; it runs
// without a display and ends after half an hour without a lookup.

#include <wx/app.h>
#include <wx/snglinst.h>
#include <wx/timer.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "dictd/dictionary_folders.h"
#include "dictd/dictd_shelf.h"
#include "ipc/bridge_server.h"
#include "platform/runtime_folder.h"

namespace kelmio {
namespace {

constexpr long kIdleLimitSeconds = 30 * 60;

// KELMIO_DICTBRIDGE_IDLE_SECONDS shortens the idle time, so tests leave no
// bridge behind.
long IdleLimitSeconds() {
    const char* text = std::getenv("KELMIO_DICTBRIDGE_IDLE_SECONDS");
    const long value = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return value > 0 && value < kIdleLimitSeconds ? value : kIdleLimitSeconds;
}

std::string ReadSettingsText() {
    std::ifstream in(dictd::SettingsFilePath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CBridgeApp final : public wxAppConsole {
public:
    bool OnInit() override {
        const std::string folder = PrivateRuntimeFolder();
        if (folder.empty()) {
            std::fprintf(stderr, "kelmio-dictbridge: no private runtime folder for the sockets\n");
            return false;
        }
        // One bridge per user: a second start has nothing to do.
        m_checker = std::make_unique<wxSingleInstanceChecker>();
        if (!m_checker->Create("kelmio-dictbridge.lock", wxString::FromUTF8(folder)) ||
            m_checker->IsAnotherRunning()) {
            return false;
        }
        const std::string settings = ReadSettingsText();
        m_shelf = std::make_unique<dictd::CDictdShelf>(dictd::DictionaryFolders(settings),
                                                       dictd::DictionaryServer(settings));
        m_server = std::make_unique<CBridgeServer>(folder, *m_shelf);
        if (!m_server->Start()) {
            std::fprintf(stderr, "kelmio-dictbridge: cannot listen in %s\n", folder.c_str());
            return false;
        }
        const long idleLimit = IdleLimitSeconds();
        m_idle.Bind(wxEVT_TIMER, [this, idleLimit](wxTimerEvent&) {
            if (m_server->IdleSeconds() >= idleLimit) ExitMainLoop();
        });
        m_idle.Start(static_cast<int>(std::min(idleLimit, 60L)) * 1000);
        return true;
    }

    int OnExit() override {
        m_idle.Stop();
        m_server.reset();
        return wxAppConsole::OnExit();
    }

private:
    std::unique_ptr<wxSingleInstanceChecker> m_checker;
    std::unique_ptr<dictd::CDictdShelf> m_shelf;
    std::unique_ptr<CBridgeServer> m_server;
    wxTimer m_idle;
};

}  // namespace
}  // namespace kelmio

wxIMPLEMENT_APP_CONSOLE(kelmio::CBridgeApp);
