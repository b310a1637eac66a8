#pragma once
// What the bridge answers in a conversation, without the transport: the
// items "SetAnsi", "Open", "Find" (poke the word, then request the answer)
// and "Close" of the dictionary services, over dictd databases.
//
// Words arrive and answers leave as Shift-JIS with a terminating NUL. An
// answer is the definitions of every database, converted from UTF-8;
// characters with no Shift-JIS form are replaced by "?" and counted in a
// last line, so the reader knows the text is not complete.
//
// The socket transport does not acknowledge pokes, so a client asks for the
// item "PokeStatus" after each poke: "1" when the poke was taken, "0" when
// it was refused (a word not found, an "Open" with no database).

#include <optional>
#include <string>
#include <string_view>

#include "dictd/dictd_shelf.h"

namespace kelmio::dictd {

constexpr const char* kPokeStatusItem = "PokeStatus";

// The definitions as one Shift-JIS text with CR LF line ends, the count of
// replaced characters noted at its end. NUL bytes never reach it.
std::string AnswerText(const LookupResult& result);

// One conversation's state; the shelf is shared by all of them.
class CBridgeConversation {
public:
    explicit CBridgeConversation(CDictdShelf& shelf) : m_shelf(shelf) {}

    // `data` as sent, its NUL included or not.
    bool OnPoke(std::string_view item, std::string_view data);
    // The answer with its terminating NUL, or nullopt.
    std::optional<std::string> OnRequest(std::string_view item);

private:
    CDictdShelf& m_shelf;
    bool m_bOpen = false;
    bool m_bLastPoke = false;
    std::optional<std::string> m_answer;
};

}  // namespace kelmio::dictd
