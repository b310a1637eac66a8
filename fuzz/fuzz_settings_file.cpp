// The settings file as the application reads it: cleaned, then parsed by
// the toolkit. Any bytes must give a store whose every value can be read,
// and writing it out and reading that back must give the same values.
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/settings_text.h"

namespace {

using Values = std::map<std::string, std::string>;

Values AllValues(wxFileConfig& config) {
    Values values;
    wxString group;
    long groupCookie = 0;
    for (bool more = config.GetFirstGroup(group, groupCookie); more; more = config.GetNextGroup(group, groupCookie)) {
        config.SetPath("/" + group);
        wxString entry;
        long entryCookie = 0;
        for (bool has = config.GetFirstEntry(entry, entryCookie); has; has = config.GetNextEntry(entry, entryCookie)) {
            values[(group + "/" + entry).utf8_string()] = config.Read(entry, wxString()).utf8_string();
        }
        config.SetPath("/");
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    wxLogNull quiet;
    const std::string text = kelmio::CleanSettingsText(std::string(reinterpret_cast<const char*>(data), size));
    wxMemoryInputStream in(text.data(), text.size());
    wxFileConfig config(in, wxConvUTF8);
    const Values values = AllValues(config);

    wxMemoryOutputStream out;
    if (!config.Save(out, wxConvUTF8)) std::abort();
    std::string saved(out.GetLength(), '\0');
    out.CopyTo(saved.data(), saved.size());
    const std::string cleanedAgain = kelmio::CleanSettingsText(saved);
    wxMemoryInputStream back(cleanedAgain.data(), cleanedAgain.size());
    wxFileConfig reread(back, wxConvUTF8);
    if (AllValues(reread) != values) std::abort();
    return 0;
}
