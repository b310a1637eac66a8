#pragma once
// A dictionary program in memory: a transport whose services answer from a
// table of words, and which records every transaction, so a test reads the
// conversation Kelmio held.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/dde_transport.h"
#include "platform/shell.h"
#include "platform/system_registry.h"

namespace kelmio::test {

struct DdeCall {
    std::string kind;  // "connect", "poke", "request"
    std::string item;  // service for "connect"
    std::string data;  // poked bytes, NUL included; topic for "connect"
    int timeoutMs = 0;
};

class CScriptedDde final : public CDdeTransport {
public:
    std::set<std::string> services{"PDICW", "PDICU"};  // services that answer
    int connectFailuresLeft = 0;  // connections refused before one succeeds (or hangs)
    std::map<std::string, std::string> answers;  // word -> raw answer bytes
    std::set<std::string> refusedItems;          // pokes of these items fail
    std::set<std::string> unansweredWords;       // found, but their request fails
    int hungConnectsLeft = 0;   // connections that find a server that hangs
    int goneConnectionsLeft = 0;  // conversations whose server has already gone
    std::set<std::string> losingItems;  // a poke of these items loses the conversation
    std::vector<DdeCall> calls;

    std::unique_ptr<CDdeConversation> Connect(std::string_view service, std::string_view topic,
                                              int timeoutMs) override;
    bool LastConnectHung() const override { return lastConnectHung; }
    bool lastConnectHung = false;

    std::vector<std::string> PokedItems() const {
        std::vector<std::string> items;
        for (const DdeCall& call : calls)
            if (call.kind == "poke") items.push_back(call.item);
        return items;
    }
    std::vector<std::string> FoundWords() const {
        std::vector<std::string> words;
        for (const DdeCall& call : calls)
            if (call.kind == "poke" && call.item == "Find") words.push_back(call.data.substr(0, call.data.size() - 1));
        return words;
    }
};

class CScriptedConversation final : public CDdeConversation {
public:
    CScriptedConversation(CScriptedDde& owner, bool lost) : m_owner(owner), m_bLost(lost) {}

    bool Poke(std::string_view item, std::string_view data, int timeoutMs) override {
        m_owner.calls.push_back({"poke", std::string(item), std::string(data), timeoutMs});
        if (m_owner.losingItems.count(std::string(item)) != 0) m_bLost = true;
        if (m_bLost || m_owner.refusedItems.count(std::string(item)) != 0) return false;
        if (item != "Find") return true;
        const std::string word(data.substr(0, data.find('\0')));
        const auto found = m_owner.answers.find(word);
        m_answer = found == m_owner.answers.end() ? std::nullopt : std::optional<std::string>(found->second);
        const bool accepted = m_answer.has_value();
        if (m_owner.unansweredWords.count(word) != 0) m_answer = std::nullopt;
        return accepted;
    }
    std::optional<std::string> Request(std::string_view item, int timeoutMs) override {
        m_owner.calls.push_back({"request", std::string(item), "", timeoutMs});
        return item == "Find" && !m_bLost ? m_answer : std::nullopt;
    }
    bool IsLost() const override { return m_bLost; }

private:
    CScriptedDde& m_owner;
    bool m_bLost;
    std::optional<std::string> m_answer;
};

inline std::unique_ptr<CDdeConversation> CScriptedDde::Connect(std::string_view service, std::string_view topic,
                                                               int timeoutMs) {
    calls.push_back({"connect", std::string(service), std::string(topic), timeoutMs});
    lastConnectHung = false;
    if (services.count(std::string(service)) == 0) return nullptr;
    if (connectFailuresLeft > 0) {
        --connectFailuresLeft;
        return nullptr;
    }
    if (hungConnectsLeft > 0) {
        --hungConnectsLeft;
        lastConnectHung = true;
        return nullptr;
    }
    const bool gone = goneConnectionsLeft > 0;
    if (gone) --goneConnectionsLeft;
    return std::make_unique<CScriptedConversation>(*this, gone);
}

// A shell that records what it was asked to start.
class CRecordingShell final : public CShell {
public:
    struct Start {
        std::string file;
        std::string parameters;
        ShowMode show;
    };
    std::vector<Start> starts;
    bool result = true;
    std::string programFiles = "/opt";

    bool Execute(std::string_view file, std::string_view parameters, ShowMode show) override {
        starts.push_back({std::string(file), std::string(parameters), show});
        return result;
    }
    std::string ProgramFilesFolder() const override { return programFiles; }
};

class CFixedRegistry final : public CSystemRegistry {
public:
    std::string pdicAnsi;
    std::string pdicUnicode;
    std::string bookshelf;

    std::string PdicProgramPath(bool unicode) const override { return unicode ? pdicUnicode : pdicAnsi; }
    std::string BookshelfProgramPath() const override { return bookshelf; }
};

}  // namespace kelmio::test
