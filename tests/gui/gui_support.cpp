#include "gui_support.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/radiobox.h>
#include <wx/regex.h>
#include <wx/toplevel.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <filesystem>

namespace kelmio::test {
namespace {

void CollectTexts(const wxWindow& window, std::vector<wxString>& texts) {
    if (const auto* top = dynamic_cast<const wxTopLevelWindow*>(&window)) {
        texts.push_back(top->GetTitle());
    } else if (window.IsShown()) {
        texts.push_back(window.GetLabel());
        texts.push_back(window.GetToolTipText());
    }
    if (const auto* radio = dynamic_cast<const wxRadioBox*>(&window)) {
        for (unsigned n = 0; n < radio->GetCount(); ++n) texts.push_back(radio->GetString(n));
    }
    for (const wxWindow* child : window.GetChildren()) {
        if (child->IsTopLevel()) continue;
        CollectTexts(*child, texts);
    }
}

}  // namespace

std::vector<wxString> ShownTexts(const wxWindow& window) {
    std::vector<wxString> texts;
    CollectTexts(window, texts);
    return texts;
}

bool LooksEnglish(const wxString& text) {
    wxString rest = text;
    static const wxRegEx mnemonic(R"(\([&_][A-Za-z]\))");
    mnemonic.ReplaceAll(&rest, "");
    static const wxRegEx okWord(R"(\mOK\M)", wxRE_ADVANCED);
    okWord.ReplaceAll(&rest, "");
    static const wxRegEx word("[A-Za-z]{2,}");
    return word.Matches(rest);
}

wxImage GrabFromScreen(const wxWindow& window) {
    const wxRect rect = window.GetScreenRect();
    wxBitmap bitmap(rect.GetSize());
    {
        wxMemoryDC memory(bitmap);
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    return bitmap.ConvertToImage();
}

bool SavePng(const wxImage& image, const std::string& path) {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
    return image.SaveFile(path, wxBITMAP_TYPE_PNG);
}

void SaveScreenshot(wxWindow& window, const std::string& name) {
    const char* folder = std::getenv("KELMIO_SCREENSHOT_DIR");
    if (folder == nullptr || *folder == '\0') return;
    window.Raise();
    window.Update();
    Pump();
    const wxSize size = window.GetClientSize();
    wxBitmap bitmap(size);
    {
        wxClientDC screen(&window);
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    SavePng(bitmap.ConvertToImage(), (std::filesystem::path(folder) / name).string());
}

bool PressKey(wxWindow& target, int wxKey, bool ctrl, bool shift) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = wxKey;
    event.SetControlDown(ctrl);
    event.SetShiftDown(shift);
    event.SetEventObject(&target);
    const bool taken = target.ProcessWindowEvent(event);
    Pump();
    return taken;
}

CapturedStderr::CapturedStderr() {
    char name[] = "/tmp/kelmio-stderr-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return;
    m_strFile = name;
    std::fflush(stderr);
    m_nSaved = dup(2);
    dup2(fd, 2);
    close(fd);
}

CapturedStderr::~CapturedStderr() { Take(); }

std::string CapturedStderr::Take() {
    if (m_nSaved < 0) return {};
    std::fflush(stderr);
    dup2(m_nSaved, 2);
    close(m_nSaved);
    m_nSaved = -1;
    std::ifstream file(m_strFile, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    std::remove(m_strFile.c_str());
    return text.str();
}

}  // namespace kelmio::test
