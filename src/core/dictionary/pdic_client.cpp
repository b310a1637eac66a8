#include "dictionary/pdic_client.h"

#include <chrono>
#include <thread>

#include "platform/dde_transport.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/system_registry.h"
#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

constexpr int kStartTries = 10;
constexpr int kStartWaitMs = 100;

}  // namespace

std::string AnswerFromData(std::string_view data) {
    const std::string_view limited = data.substr(0, kPdicAnswerBuffer - 1);
    std::string text(limited.substr(0, limited.find('\0')));
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) last = i;
    if (!text.empty() && last == text.size() - 1 && IsSjisLeadByte(static_cast<unsigned char>(text[last]))) {
        text.pop_back();
    }
    return text;
}

CPdicClient::CPdicClient(const DicPlatform& platform, CPrompter& prompter, bool unicode)
    : m_platform(platform), m_prompter(prompter), m_bUnicode(unicode) {}

CPdicClient::~CPdicClient() = default;

void CPdicClient::Sleep(int milliseconds) const {
    if (m_platform.sleep) {
        m_platform.sleep(milliseconds);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

bool CPdicClient::Connect(std::string_view topic) {
    if (m_pConversation) return true;
    if (m_platform.pTransport == nullptr) return false;
    const std::string_view service = m_bUnicode ? "PDICU" : "PDICW";
    m_bHung = false;
    m_pConversation = m_platform.pTransport->Connect(service, topic, kDdeTimeoutMs);
    if (m_pConversation) return true;
    // A program that is there but hangs still holds the service: another
    // one started now would only give way to it.
    m_bHung = m_platform.pTransport->LastConnectHung();
    if (m_bHung) return false;

    // Nobody answers: start PDIC and give it a second to come up.
    if (m_platform.pRegistry == nullptr || m_platform.pShell == nullptr) return false;
    const std::string program = m_platform.pRegistry->PdicProgramPath(m_bUnicode);
    if (program.empty() || !m_platform.pShell->Execute(program, "", ShowMode::kMinimized)) return false;
    for (int attempt = 0; attempt < kStartTries; ++attempt) {
        m_pConversation = m_platform.pTransport->Connect(service, topic, kDdeTimeoutMs);
        if (m_pConversation) return true;
        m_bHung = m_platform.pTransport->LastConnectHung();
        if (m_bHung) return false;
        Sleep(kStartWaitMs);
    }
    return false;
}

void CPdicClient::ReportNoAnswer() {
    m_prompter.Message(SjisText("辞書ソフトが応答しません"), MessageButtons::kOk, MessageIcon::kStop);
}

void CPdicClient::ReportCommandFailure() {
    m_prompter.Message(SjisText("DDEｺﾏﾝﾄﾞ送信に失敗しました"), MessageButtons::kOk, MessageIcon::kStop);
}

bool CPdicClient::PokeOpen() { return (!m_bUnicode || Poke("SetAnsi", "")) && Poke("Open", ""); }

bool CPdicClient::Open() {
    constexpr std::string_view kTopic = "Dictionary";
    bool connected = Connect(kTopic);
    bool opened = connected && PokeOpen();
    if (connected && !opened && IsLost()) {
        // The program went away (it ends by itself when idle) between the
        // connection and the first command: a fresh one is started.
        m_pConversation.reset();
        connected = Connect(kTopic);
        opened = connected && PokeOpen();
    }
    if (!connected) {
        if (m_bHung) {
            ReportNoAnswer();
        } else {
            m_prompter.Message(SjisText("接続失敗"), MessageButtons::kOk, MessageIcon::kNone);
        }
        return false;
    }
    if (!opened) {
        if (IsLost()) {
            ReportNoAnswer();
        } else {
            ReportCommandFailure();
        }
        return false;
    }
    return true;
}

bool CPdicClient::Find(std::string_view word, std::string& answer) {
    if (!Poke("Find", word)) return false;
    // An accepted word whose answer never arrives is no answer: the answer
    // left from an earlier word must not be shown under this one.
    return Request("Find", answer);
}

bool CPdicClient::Close() {
    // A conversation already lost was reported when it was lost.
    if (IsLost()) return false;
    if (Poke("Close", "")) return true;
    ReportCommandFailure();
    return false;
}

bool CPdicClient::Poke(std::string_view item, std::string_view text) {
    if (!m_pConversation) return false;
    std::string data(text);
    data += '\0';
    return m_pConversation->Poke(item, data, kDdeTimeoutMs);
}

bool CPdicClient::Request(std::string_view item, std::string& answer) {
    if (!m_pConversation) return false;
    const std::optional<std::string> data = m_pConversation->Request(item, kDdeTimeoutMs);
    if (!data) return false;
    answer = AnswerFromData(*data);
    return true;
}

}  // namespace kelmio
