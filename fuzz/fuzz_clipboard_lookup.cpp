// Looking up the clipboard's text (編集 → clipboard lookup): the toolkit
// hands the text as UTF-8, Kelmio turns it into Shift-JIS, lowers it as
// every lookup does and asks the project's dictionary. With PDIC the
// answer comes from the peer, any bytes; other kinds start a program with
// the word. Whatever the text and the answer, the kept answer is at most
// the answer buffer, without a NUL or a half character.
//
// Input: the dictionary kind and which finds PDIC takes (first byte), the
// text's length (second byte), the text, then PDIC's answer bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/dic_answer_dlg.h"
#include "dictionary/dic_lookup.h"
#include "dictionary/pdic_client.h"
#include "platform/dde_transport.h"
#include "platform/prompter.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "platform/system_registry.h"
#include "text/cp932.h"
#include "text/mb_case.h"
#include "text/sjis.h"

namespace {

// Keeps every answer, cancels every chooser.
class CKeepingPrompter final : public kelmio::CPrompter {
public:
    kelmio::Answer Message(std::string_view, kelmio::MessageButtons, kelmio::MessageIcon) override {
        return kelmio::Answer::kOk;
    }
    kelmio::FileDialogResult ChooseFile(const kelmio::CFileDialogEx&) override { return {}; }
    int ChooseFolder(kelmio::BrowseFolder&) override { return kelmio::kIdCancel; }
    std::optional<std::string> Input(std::string_view, std::string_view) override { return std::nullopt; }
    std::optional<kelmio::CFilePath> InputPath(std::string_view, const kelmio::CFilePath&) override {
        return std::nullopt;
    }
    int RunNewProjectDialog(kelmio::CNewProjectDlg&) override { return kelmio::kIdCancel; }
    int RunProjectDialog(kelmio::CProjectDlg&) override { return kelmio::kIdCancel; }
    int RunSourceHistoryDialog(kelmio::CSrcHistoryDlg&) override { return kelmio::kIdCancel; }
    int RunDicAnswerDialog(kelmio::CDicAnswerDlg&) override { return kelmio::kIdOk; }
    int RunDicOptDialog(kelmio::CDicOptDg&) override { return kelmio::kIdCancel; }
};

// A PDIC that takes the finds the input says and answers with its bytes.
class CPeer final : public kelmio::CDdeTransport, public kelmio::CDdeConversation {
public:
    CPeer(std::uint8_t takes, std::string_view answer) : m_nTakes(takes), m_answer(answer) {}

    std::unique_ptr<kelmio::CDdeConversation> Connect(std::string_view, std::string_view, int) override {
        struct CView final : kelmio::CDdeConversation {
            explicit CView(CPeer& peer) : m_peer(peer) {}
            bool Poke(std::string_view item, std::string_view data, int ms) override { return m_peer.Poke(item, data, ms); }
            std::optional<std::string> Request(std::string_view item, int ms) override { return m_peer.Request(item, ms); }
            CPeer& m_peer;
        };
        return std::make_unique<CView>(*this);
    }
    bool Poke(std::string_view item, std::string_view data, int) override {
        if (data.empty() || data.back() != '\0') std::abort();  // texts cross with their NUL
        if (item != "Find") return true;
        return (m_nTakes >> (m_nFinds++ % 4) & 1) != 0;
    }
    std::optional<std::string> Request(std::string_view item, int) override {
        if (item != "Find") return std::nullopt;
        return m_answer;
    }

private:
    std::uint8_t m_nTakes;
    std::string m_answer;
    int m_nFinds = 0;
};

class CQuietShell final : public kelmio::CShell {
public:
    bool Execute(std::string_view, std::string_view, kelmio::ShowMode) override { return true; }
    std::string ProgramFilesFolder() const override { return "/nonexistent"; }
};

class CNoRegistry final : public kelmio::CSystemRegistry {
public:
    std::string PdicProgramPath(bool) const override { return {}; }
    std::string BookshelfProgramPath() const override { return "bookshelf"; }
};

// No NUL, and no lead byte left alone at the end.
bool WholeText(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return false;
    std::size_t last = 0;
    for (std::size_t at = 0; at < text.size(); at += kelmio::CharLengthAt(text, at)) last = at;
    return text.empty() || last != text.size() - 1 || !kelmio::IsSjisLeadByte(static_cast<unsigned char>(text[last]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string_view clipboard = rest.substr(0, data[1]);
    const std::string_view answer = rest.substr(clipboard.size());

    const std::string word = kelmio::MakeLowerMb(kelmio::Utf8ToCp932(clipboard));
    kelmio::CMemorySettings settings;
    settings.WriteString("System", "CustomPath", "dict %s");
    settings.WriteString("System", "CustomParam", "-w \"%s\"");
    CKeepingPrompter prompter;
    CPeer peer(data[0] >> 4, answer);
    CQuietShell shell;
    CNoRegistry registry;
    kelmio::CDicLookup lookup(settings, prompter);
    lookup.SetPlatform(kelmio::DicPlatform{&peer, &shell, &registry, [](int) {}});
    lookup.m_nType = data[0] % 6;
    if (lookup.Lookup(word)) {
        if (lookup.m_strResult.size() >= kelmio::kPdicAnswerBuffer || !WholeText(lookup.m_strResult)) std::abort();
        if (lookup.m_strResult != kelmio::AnswerFromData(answer)) std::abort();
    }
    return 0;
}
