#pragma once
// The bridge's listening side: one server per service ("PDICW", "PDICU"),
// each on its socket in the private runtime folder, every conversation
// answered by a CBridgeConversation over the shared shelf.

#include <memory>
#include <string>
#include <vector>

#include "dictd/dictd_shelf.h"

class wxServerBase;

namespace kelmio {

class CBridgeServer {
public:
    CBridgeServer(std::string socketFolder, dictd::CDictdShelf& shelf);
    ~CBridgeServer();
    CBridgeServer(const CBridgeServer&) = delete;
    CBridgeServer& operator=(const CBridgeServer&) = delete;

    // Listens on every service; false when a socket could not be opened.
    bool Start();

    // Seconds since the last conversation began or a transaction was handled.
    long IdleSeconds() const;

private:
    std::string m_strFolder;
    dictd::CDictdShelf& m_shelf;
    std::vector<std::unique_ptr<wxServerBase>> m_servers;
    std::shared_ptr<long> m_pLastActivity;  // seconds since the epoch
};

}  // namespace kelmio
