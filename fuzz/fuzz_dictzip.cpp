// A dictzip file (.dict.dz) from disk and the range an index entry names:
// the header with its chunk table, then each chunk the range touches
// inflated on its own. Any bytes must give the range's text or a message,
// never a read past a buffer or an allocation the file dictates.
// The first six bytes give the range (offset, length); the rest is the file.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>

#include "dictd/dict_data.h"

namespace {

std::uint64_t LittleEndian(const std::uint8_t* data, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << 8 | data[i];
    return value;
}

// The file is written in a folder of this process's own making, removed
// when the fuzzer ends.
class CPrivateFile {
public:
    CPrivateFile() {
        std::string folder = "/tmp/kelmio-fuzz-dictzip-XXXXXX";
        if (::mkdtemp(folder.data()) == nullptr) std::abort();
        m_strFolder = folder;
        m_strPath = folder + "/fuzz.dict.dz";
    }
    ~CPrivateFile() {
        ::unlink(m_strPath.c_str());
        ::rmdir(m_strFolder.c_str());
    }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strFolder;
    std::string m_strPath;
};

const std::string& DataPath() {
    static const CPrivateFile file;
    return file.Path();
}

void WriteData(const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(DataPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const std::uint64_t offset = LittleEndian(data, 3);
    const std::uint64_t length = LittleEndian(data + 3, 3);
    WriteData(data + 6, size - 6);
    auto opened = kelmio::dictd::CDictData::Open(DataPath());
    if (std::holds_alternative<kelmio::dictd::DataError>(opened)) return 0;
    const auto& dictionary = std::get<std::unique_ptr<kelmio::dictd::CDictData>>(opened);
    const auto text = dictionary->Read(offset, length);
    if (const auto* read = std::get_if<std::string>(&text); read != nullptr && read->size() != length) std::abort();
    // The same range a byte later and from the start: entries sit anywhere.
    (void)dictionary->Read(offset + 1, length);
    (void)dictionary->Read(0, length);
    return 0;
}
