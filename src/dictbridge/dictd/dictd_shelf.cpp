#include "dictd/dictd_shelf.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>
#include <utility>

namespace kelmio::dictd {
namespace {

namespace fs = std::filesystem;

// Index files larger than this are not read (the largest free dictionary
// index is a few tens of megabytes).
constexpr std::uintmax_t kMaxIndexSize = 512u << 20;

bool ReadFile(const fs::path& path, std::string& out) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kMaxIndexSize) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.resize(static_cast<std::size_t>(size));
    in.read(out.data(), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

std::vector<fs::path> IndexFilesIn(const std::string& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".index" && it->is_regular_file(error)) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

// A DICT server gets this long for its whole answer to one word; Kelmio
// waits ten seconds for the bridge.
constexpr int kServerTimeoutMs = 3000;
// A server that ran out of time is not asked again for this long.
constexpr std::chrono::minutes kServerRest{5};

CDictdShelf::CDictdShelf(std::vector<std::string> nativeFolders, DictServer server)
    : m_folders(std::move(nativeFolders)), m_server(std::move(server)) {}

void CDictdShelf::Load() {
    if (m_bLoaded) return;
    m_bLoaded = true;
    for (const std::string& folder : m_folders) {
        for (const fs::path& indexPath : IndexFilesIn(folder)) {
            fs::path dataPath = indexPath;
            dataPath.replace_extension(".dict.dz");
            std::error_code error;
            if (!fs::exists(dataPath, error)) dataPath.replace_extension("").replace_extension(".dict");
            if (!fs::exists(dataPath, error)) continue;  // an index alone is not a database
            std::string bytes;
            if (!ReadFile(indexPath, bytes)) {
                m_loadProblems.push_back("cannot read " + indexPath.string());
                continue;
            }
            auto data = CDictData::Open(dataPath.string());
            if (auto* problem = std::get_if<DataError>(&data)) {
                m_loadProblems.push_back(problem->message);
                continue;
            }
            m_databases.push_back(CDictdDatabase{indexPath.stem().string(), CDictdIndex(std::move(bytes)),
                                                 std::get<std::unique_ptr<CDictData>>(std::move(data))});
        }
    }
}

LookupResult CDictdShelf::Lookup(std::string_view word) {
    LookupResult result;
    if (word.empty()) return result;
    for (const CDictdDatabase& database : m_databases) {
        std::set<std::pair<std::uint64_t, std::uint64_t>> seen;  // some indexes list an entry twice
        for (const IndexEntry& entry : database.index.Find(word)) {
            if (!seen.insert({entry.offset, entry.length}).second) continue;
            auto text = database.data->Read(entry.offset, entry.length);
            if (auto* problem = std::get_if<DataError>(&text)) {
                result.problems.push_back(database.name + ": " + problem->message);
            } else {
                result.definitions.push_back(std::get<std::string>(std::move(text)));
            }
        }
    }
    if (!m_server.host.empty() && std::chrono::steady_clock::now() >= m_serverRestsUntil) {
        DefineResult asked = DefineOnServer(m_server, word, kServerTimeoutMs);
        if (asked.late) {
            m_serverRestsUntil = std::chrono::steady_clock::now() + kServerRest;
            asked.problem += " (not asked again for 5 minutes)";
        }
        for (std::string& definition : asked.definitions) result.definitions.push_back(std::move(definition));
        if (!asked.problem.empty()) result.problems.push_back(std::move(asked.problem));
    }
    return result;
}

}  // namespace kelmio::dictd
