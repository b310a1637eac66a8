#pragma once
// The document's dictionary: looks a word up with the project's dictionary
// kind. PDIC (kinds 0 and 1) answers through a conversation and the answer
// may be kept as a memo; DDWIN, BookShelf, EBWIN and a custom program
// (kinds 2-5) are started with the word on their command line and show
// their own answer.

#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/dic_platform.h"

namespace kelmio {

class CPrompter;
class CSettings;

class CDicLookup {
public:
    // Reads the custom program's defaults from the settings.
    CDicLookup(CSettings& settings, CPrompter& prompter);

    void SetPlatform(DicPlatform platform) { m_platform = std::move(platform); }
    const DicPlatform& Platform() const { return m_platform; }

    std::int32_t m_nType = 0;
    std::string m_strWord;        // the word of the lookup, in the form last tried
    std::string m_strResult;      // PDIC's answer to the last successful find
    std::string m_strCustomPath;  // may contain "%s"
    std::string m_strCustomParam;  // may contain "%s"

    void SetCustomPath(std::string path) { m_strCustomPath = std::move(path); }
    void SetCustomParam(std::string param) { m_strCustomParam = std::move(param); }
    // The custom program and parameters now set were chosen by the user
    // (in the settings dialog): they run without a question.
    void ApproveCustomCommand();

    // True only when PDIC found the word and the user kept the answer with
    // "メモ登録"; the answer is then in m_strResult.
    bool Lookup(std::string_view word);

private:
    bool LookupPdic(bool unicode);
    void LookupDdwin();
    void LookupBookshelf();
    void LookupEbwin();
    void LookupCustom();
    // A custom command line from a project runs only once the user has
    // approved it; the profile's own defaults need no approval.
    bool CustomCommandAllowed();
    // DDWIN and EBWIN: the program's path from the settings, or from the
    // chooser when no file is there; nothing starts when it is cancelled.
    void LookupChosenProgram(std::string_view settingName, std::string_view defaultTail, std::string_view title,
                             std::string_view parameterPrefix);
    void Start(std::string_view file, std::string_view parameters);

    CSettings& m_settings;
    CPrompter& m_prompter;
    std::string m_strProfilePath;   // the profile's defaults, the user's own
    std::string m_strProfileParam;
    DicPlatform m_platform;
};

// Every "%s" in `text` replaced by `word`.
std::string ReplacePercentS(std::string_view text, std::string_view word);

}  // namespace kelmio
