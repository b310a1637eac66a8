#pragma once
// The dictd databases the bridge answers from: every "NAME.index" with a
// "NAME.dict.dz" or "NAME.dict" beside it in the folders it was given, in
// folder order and then by name. Databases are read when first needed.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictd/dict_data.h"
#include "dictd/dict_protocol.h"
#include "dictd/dictd_index.h"

namespace kelmio::dictd {

struct CDictdDatabase {
    std::string name;
    CDictdIndex index;
    std::unique_ptr<CDictData> data;
};

struct LookupResult {
    std::vector<std::string> definitions;  // UTF-8, as the databases hold them
    std::vector<std::string> problems;     // UTF-8 texts about damaged files
};

class CDictdShelf {
public:
    // `server` is asked after the databases when it names a host.
    explicit CDictdShelf(std::vector<std::string> nativeFolders, DictServer server = {});

    // Reads the databases once; later calls do nothing. Problems with a
    // database are kept and the others are served.
    void Load();
    bool IsLoaded() const { return m_bLoaded; }

    // Every definition of `word` (exact headword, UTF-8) in every database,
    // then the server's. The databases always answer; a server that missed
    // its deadline is left out of the lookups of the next few minutes, so
    // a slow server costs one wait, not one per word.
    LookupResult Lookup(std::string_view word);

    // The databases, and the server counted as one when there is one.
    std::size_t DatabaseCount() const { return m_databases.size() + (m_server.host.empty() ? 0 : 1); }
    const std::vector<std::string>& LoadProblems() const { return m_loadProblems; }

private:
    std::vector<std::string> m_folders;
    DictServer m_server;
    std::vector<CDictdDatabase> m_databases;
    std::vector<std::string> m_loadProblems;
    bool m_bLoaded = false;
    std::chrono::steady_clock::time_point m_serverRestsUntil{};  // not asked before then
};

}  // namespace kelmio::dictd
