#include "dictionary/dic_lookup.h"

#include "dictionary/custom_program_approval.h"
#include "dictionary/dic_answer_dlg.h"
#include "dictionary/dic_opt_dg.h"
#include "dictionary/pdic_client.h"
#include "platform/file_io.h"
#include "platform/prompter.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "platform/system_registry.h"
#include "text/cp932.h"
#include "text/mb_case.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

constexpr std::string_view kSection = "System";

}  // namespace

std::string ReplacePercentS(std::string_view text, std::string_view word) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t found = text.find("%s"); found != std::string_view::npos; found = text.find("%s", start)) {
        result.append(text.substr(start, found - start));
        result.append(word);
        start = found + 2;
    }
    result.append(text.substr(start));
    return result;
}

CDicLookup::CDicLookup(CSettings& settings, CPrompter& prompter)
    : m_strCustomPath(settings.GetString(kSection, "CustomPath", "")),
      m_strCustomParam(settings.GetString(kSection, "CustomParam", "")),
      m_settings(settings),
      m_prompter(prompter),
      m_strProfilePath(m_strCustomPath),
      m_strProfileParam(m_strCustomParam) {}

bool CDicLookup::Lookup(std::string_view word) {
    m_strWord = word;
    switch (m_nType) {
    case kDicPdic: return LookupPdic(false);
    case kDicPdicUnicode: return LookupPdic(true);
    case kDicDdwin: LookupDdwin(); return false;
    case kDicBookshelf: LookupBookshelf(); return false;
    case kDicEbwin: LookupEbwin(); return false;
    case kDicCustom: LookupCustom(); return false;
    default: return false;
    }
}

bool CDicLookup::LookupPdic(bool unicode) {
    CPdicClient client(m_platform, m_prompter, unicode);
    if (!client.Open()) return false;
    bool found = client.Find(m_strWord, m_strResult);
    if (!found && !client.IsLost()) {
        m_strWord = MakeLowerMb(m_strWord);
        found = client.Find(m_strWord, m_strResult);
    }
    if (!found && !client.IsLost()) {
        m_strWord = MakeUpperMb(m_strWord);
        found = client.Find(m_strWord, m_strResult);
    }
    bool keep = false;
    if (found) {
        CDicAnswerDlg dialog(m_strWord, m_strResult);
        keep = m_prompter.RunDicAnswerDialog(dialog) == kIdOk;
    } else if (client.IsLost()) {
        // The program stopped answering: that is not "not found".
        client.ReportNoAnswer();
    } else {
        m_prompter.Message(SjisText("見つかりません：") + m_strWord, MessageButtons::kOk, MessageIcon::kNone);
    }
    client.Close();
    return keep;
}

void CDicLookup::Start(std::string_view file, std::string_view parameters) {
    if (m_platform.pShell != nullptr) m_platform.pShell->Execute(file, parameters, ShowMode::kNormal);
}

void CDicLookup::LookupChosenProgram(std::string_view settingName, std::string_view defaultTail,
                                     std::string_view title, std::string_view parameterPrefix) {
    const std::string programFiles = m_platform.pShell != nullptr ? m_platform.pShell->ProgramFilesFolder() : "";
    std::string path = m_settings.GetString(kSection, settingName, JoinPath(programFiles, defaultTail));
    if (!PathExists(path)) {
        CFileDialogEx dialog;
        dialog.m_bOpen = true;
        dialog.m_strDefExt = "*";
        dialog.m_strFileName = "*.EXE";
        dialog.m_nFlags = kHideReadOnly | kPathMustExist;
        dialog.m_strFilter = SjisText("EXEﾌｧｲﾙ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*) |*.*||");
        dialog.m_owner = DialogOwner::kMainWindow;
        dialog.m_strTitle = std::string(title);
        const FileDialogResult result = m_prompter.ChooseFile(dialog);
        if (result.nResult != kIdOk) return;
        // The program is started by its Shift-JIS name, like the ones the
        // settings and the project keep: a name without one is refused.
        const std::optional<std::string> chosen = result.strPath.Sjis();
        if (!chosen) {
            m_prompter.Message(BadPathMessage(result.strPath), MessageButtons::kOk, MessageIcon::kExclamation);
            return;
        }
        path = *chosen;
        m_settings.WriteString(kSection, settingName, path);
    }
    Start(path, std::string(parameterPrefix) + m_strWord);
}

void CDicLookup::LookupDdwin() {
    LookupChosenProgram("DDWinPath", "DDWIN/ddwin.exe", SjisText("DDWINのパスの指定"), "/e1 /d /k ");
}

void CDicLookup::LookupEbwin() {
    LookupChosenProgram("EBWinPath", "EBWIN/ebwin.exe", SjisText("EBWINのパスの指定"), "/S=");
}

void CDicLookup::LookupBookshelf() {
    const std::string program = m_platform.pRegistry != nullptr ? m_platform.pRegistry->BookshelfProgramPath() : "";
    Start(program, "/i " + m_strWord);
}

void CDicLookup::ApproveCustomCommand() {
    CCustomProgramApproval(m_settings).Approve({m_strCustomPath, m_strCustomParam});
}

bool CDicLookup::CustomCommandAllowed() {
    if (m_strCustomPath.empty()) return false;  // nothing to start
    if (m_strCustomPath == m_strProfilePath && m_strCustomParam == m_strProfileParam) return true;
    const CustomCommand command{m_strCustomPath, m_strCustomParam};
    CCustomProgramApproval approval(m_settings);
    if (approval.IsApproved(command)) return true;
    if (m_prompter.Message(CustomProgramQuestion(command), MessageButtons::kYesNo, MessageIcon::kExclamation) !=
        Answer::kYes) {
        return false;
    }
    approval.Approve(command);
    return true;
}

void CDicLookup::LookupCustom() {
    if (!CustomCommandAllowed()) return;
    Start(ReplacePercentS(m_strCustomPath, m_strWord), ReplacePercentS(m_strCustomParam, m_strWord));
}

}  // namespace kelmio
