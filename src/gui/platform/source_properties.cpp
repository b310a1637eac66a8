#include "source_properties.h"

#include <dlfcn.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/mimetype.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <ctime>
#include <memory>

#include "platform/file_io.h"
#include "platform/posix_shell.h"
#include "text/sjis.h"
#include "viewer/preview_page.h"
#include "viewer/source_display.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

template <typename Function>
Function Lookup(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_DEFAULT, name));
}

// Asks the session's file manager; false when none answers. GIO is looked
// up at run time in the libraries the toolkit already loaded.
bool AskFileManager(const CFilePath& path) {
    using BusGet = void* (*)(int, void*, void**);
    using VariantNew = void* (*)(const char*, ...);
    using Call = void* (*)(void*, const char*, const char*, const char*, const char*, void*, void*, int, int, void*,
                           void**);
    using Unref = void (*)(void*);
    const auto busGet = Lookup<BusGet>("g_bus_get_sync");
    const auto variantNew = Lookup<VariantNew>("g_variant_new");
    const auto call = Lookup<Call>("g_dbus_connection_call_sync");
    const auto variantUnref = Lookup<Unref>("g_variant_unref");
    const auto objectUnref = Lookup<Unref>("g_object_unref");
    const auto errorFree = Lookup<Unref>("g_error_free");
    if (!busGet || !variantNew || !call || !variantUnref || !objectUnref || !errorFree) return false;

    constexpr int kSessionBus = 2;
    void* error = nullptr;
    void* bus = busGet(kSessionBus, nullptr, &error);
    if (bus == nullptr) {
        if (error != nullptr) errorFree(error);
        return false;
    }
    const std::string uri = wxFileName::FileNameToURL(wxFileName(ToWxPath(path))).utf8_string();
    const char* uris[] = {uri.c_str(), nullptr};
    void* arguments = variantNew("(^ass)", uris, "");
    void* reply = call(bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                       "org.freedesktop.FileManager1", "ShowItemProperties", arguments, nullptr, 0, 3000, nullptr, &error);
    const bool answered = reply != nullptr;
    if (reply != nullptr) variantUnref(reply);
    if (error != nullptr) errorFree(error);
    objectUnref(bus);
    return answered;
}

wxString TimeText(const std::optional<std::time_t>& time) {
    if (!time) return {};
    std::tm local{};
    if (::localtime_r(&*time, &local) == nullptr) return {};
    char buffer[32];
    return wxString::FromUTF8(buffer, std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M", &local));
}

wxString TypeText(const std::string& sjisPath) {
    const wxString extension = ToWx(SourceExtension(sjisPath));
    std::unique_ptr<wxFileType> type(wxTheMimeTypesManager->GetFileTypeFromExtension(extension));
    wxString description;
    if (type && type->GetDescription(&description) && !description.empty()) return description;
    return extension + WxText("ファイル");
}

}  // namespace

std::vector<PropertyRow> OwnPropertyRows(const CFilePath& path) {
    const std::string& native = path.Native();
    const std::size_t separator = native.rfind('/');
    const CFilePath name = path.FileName();
    const CFilePath folder =
        CFilePath::FromNative(separator == std::string::npos ? std::string() : native.substr(0, separator));
    std::vector<PropertyRow> rows{
        {WxText("ファイル名："), ToWxPath(name)},
        {WxText("フォルダ名："), ToWxPath(folder)},
        {WxText("ファイルタイプ："), TypeText(path.Display())},
    };
    if (!PathExists(path)) {
        rows.push_back({wxString(), WxText("ファイルが見つかりません。")});
        return rows;
    }
    const PreviewFileStatus status = ReadPreviewFileStatus(path);
    rows.push_back({WxText("サイズ："), wxString::Format("%lld", static_cast<long long>(status.size)) + WxText("バイト")});
    rows.push_back({WxText("作成日付："), TimeText(status.created)});
    rows.push_back({WxText("最終変更日付："), TimeText(status.modified)});
    return rows;
}

void ShowOwnProperties(wxWindow* owner, const CFilePath& path) {
    wxDialog dialog(owner, wxID_ANY, WxText("プロパティ"));
    auto* grid = new wxFlexGridSizer(2, 6, 12);
    for (const PropertyRow& row : OwnPropertyRows(path)) {
        grid->Add(new wxStaticText(&dialog, wxID_ANY, row.label));
        grid->Add(new wxStaticText(&dialog, wxID_ANY, row.value));
    }
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, 1, wxEXPAND | wxALL, 12);
    auto* ok = new wxButton(&dialog, wxID_OK, "OK");
    ok->SetDefault();  // Enter closes the window
    top->Add(ok, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    dialog.SetSizerAndFit(top);
    dialog.CentreOnParent();
    dialog.ShowModal();
}

void ShowSourceProperties(const CFilePath& path) {
    const bool missing = !IsUrl(path.Native()) && !PathExists(path);
    if (!missing && AskFileManager(path)) return;
    ShowOwnProperties(wxTheApp->GetTopWindow(), path);
}

}  // namespace kelmio
