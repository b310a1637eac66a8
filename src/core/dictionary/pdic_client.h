#pragma once
// One conversation with PDIC, for one lookup: connect (starting PDIC when
// no service answers), open, one to three finds, close.

#include <memory>
#include <string>
#include <string_view>

#include "dictionary/dic_platform.h"
#include "platform/dde_transport.h"

namespace kelmio {

class CPrompter;

// The answer a request may deliver: at most this many bytes including the
// terminating NUL, so a longer answer keeps 2047 of its bytes.
constexpr std::size_t kPdicAnswerBuffer = 2048;

// The text of a requested answer: up to the first NUL within the buffer's
// size; a lead byte left without its trail byte at the end is dropped, so a
// double-byte character is never split.
std::string AnswerFromData(std::string_view data);

class CPdicClient {
public:
    CPdicClient(const DicPlatform& platform, CPrompter& prompter, bool unicode);
    ~CPdicClient();
    CPdicClient(const CPdicClient&) = delete;
    CPdicClient& operator=(const CPdicClient&) = delete;

    bool Connect(std::string_view topic);
    bool Open();
    // True when PDIC accepted the word and delivered its answer.
    bool Find(std::string_view word, std::string& answer);
    bool Close();

    bool Poke(std::string_view item, std::string_view text);
    bool Request(std::string_view item, std::string& answer);

    bool IsUnicode() const { return m_bUnicode; }
    // True when the program stopped answering in the middle of the lookup
    // (it hangs, or it went away): nothing more can be asked of it.
    bool IsLost() const { return m_pConversation && m_pConversation->IsLost(); }
    // Tells the user that the dictionary program does not answer.
    void ReportNoAnswer();

private:
    void Sleep(int milliseconds) const;
    void ReportCommandFailure();
    bool PokeOpen();

    const DicPlatform& m_platform;
    CPrompter& m_prompter;
    std::unique_ptr<CDdeConversation> m_pConversation;
    bool m_bUnicode;
    bool m_bHung = false;  // a server was there but did not answer
};

}  // namespace kelmio
