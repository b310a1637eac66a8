// The bridge's side of a conversation: whatever a peer pokes and requests,
// in any order and with any bytes, the bridge answers with one text and
// its one terminating NUL, says whether each poke was taken, and never
// gives the answer of an earlier word for a word it did not find.
//
// The input is a list of steps: a byte whose low bit says poke or request
// and whose next bits choose the item (one of the dictionary services'
// items, or one given in the input), then for a poke the data's length and
// bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "dictbridge/dictzip_writer.h"
#include "dictd/bridge_service.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Two databases in a folder of this process's own: a dictzip one in small
// chunks, and a plain one; definitions with characters Shift-JIS lacks, a
// NUL, an entry listed twice.
class CFuzzShelf {
public:
    CFuzzShelf() {
        std::string folder = (fs::temp_directory_path() / "kelmio-fuzz-bridge-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr) std::abort();
        m_folder = folder;
        const auto first = kelmio::test::MakeDictdDatabase(
            {{"cat", "cat\n  neko\n"}, {"\xE7\x8C\xAB", "\xE7\x8C\xAB\n  cat \xF0\x9F\x90\x88\n"},
             {"dot", std::string(".\n..\r\nnul\0here\n", 16)}, {"cat", "cat\n  neko\n"}});
        WriteFile(m_folder / "a.index", first.index);
        WriteFile(m_folder / "a.dict.dz", kelmio::test::Dictzip(first.text, 7));
        const auto second = kelmio::test::MakeDictdDatabase({{"cat", "cat\n  gato\n"}, {"a", std::string(300, 'a')}});
        WriteFile(m_folder / "b.index", second.index);
        WriteFile(m_folder / "b.dict", second.text);
    }
    ~CFuzzShelf() {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    std::string Folder() const { return m_folder.string(); }

private:
    fs::path m_folder;
};

constexpr std::string_view kItems[] = {"SetAnsi", "Open", "Find", "Close", kelmio::dictd::kPokeStatusItem, "find"};

class CSteps {
public:
    CSteps(const std::uint8_t* data, std::size_t size) : m_data(data), m_nSize(size) {}
    bool More() const { return m_nAt < m_nSize; }
    std::uint8_t Byte() { return More() ? m_data[m_nAt++] : 0; }
    std::string_view Bytes(std::size_t count) {
        count = std::min(count, m_nSize - m_nAt);
        const std::string_view bytes(reinterpret_cast<const char*>(m_data) + m_nAt, count);
        m_nAt += count;
        return bytes;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_nSize;
    std::size_t m_nAt = 0;
};

// A reply: a text with exactly one NUL, at its end.
void CheckReply(const std::optional<std::string>& reply) {
    if (reply && (reply->empty() || reply->find('\0') != reply->size() - 1)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CFuzzShelf files;
    // The databases are read once, as the bridge reads them for all its conversations.
    static kelmio::dictd::CDictdShelf shelf({files.Folder()});
    kelmio::dictd::CBridgeConversation conversation(shelf);
    CSteps steps(data, size);
    bool lastFindTaken = false;
    while (steps.More()) {
        const std::uint8_t step = steps.Byte();
        const std::size_t choice = (step >> 1) % (std::size(kItems) + 1);
        const std::string_view item = choice < std::size(kItems) ? kItems[choice] : steps.Bytes(steps.Byte() % 16);
        if ((step & 1) == 0) {
            const std::string_view poked = steps.Bytes(steps.Byte());
            const bool taken = conversation.OnPoke(item, poked);
            if (item == "Find") lastFindTaken = taken;
            const std::optional<std::string> status = conversation.OnRequest(kelmio::dictd::kPokeStatusItem);
            if (status != std::string(taken ? "1" : "0") + '\0') std::abort();
        } else {
            const std::optional<std::string> reply = conversation.OnRequest(item);
            CheckReply(reply);
            if (item == "Find" && reply.has_value() != lastFindTaken) std::abort();
        }
    }
    return 0;
}
