#include "cli/cli_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <iostream>

#include "text/cp932.h"

namespace kelmio::cli {

std::string ReadStdin() {
    // Straight from the descriptor in large blocks: the synced std::cin
    // hands out one byte per call. Room for a regular file is taken at once.
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    constexpr std::size_t kLargestHint = std::size_t{256} << 20;  // the size is only a hint
    constexpr std::size_t kEndProbe = 64;
    std::string bytes;
    struct stat info {};
    if (::fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto left = static_cast<std::size_t>(info.st_size) - static_cast<std::size_t>(std::max<off_t>(::lseek(STDIN_FILENO, 0, SEEK_CUR), 0));
        bytes.reserve(std::min(left, kLargestHint) + kEndProbe);
    }
    std::size_t size = 0;
    while (true) {
        // The reserved room first (its last bytes see the end), then
        // blocks, which grow the string by doubling.
        std::size_t room = bytes.capacity() - size;
        if (room < kEndProbe) room = kBlock;
        bytes.resize(size + room);
        const ssize_t n = ::read(STDIN_FILENO, bytes.data() + size, room);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // the end, or a read error: what was read is the input
        size += static_cast<std::size_t>(n);
    }
    bytes.resize(size);
    return bytes;
}

std::size_t ReadStdinBlock(char* buffer, std::size_t size) {
    while (true) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return 0;
    }
}

void WriteStdout(std::string_view bytes) {
    // Anything written through std::cout goes out first, then the bytes in
    // as few system calls as the pipe takes.
    std::cout.flush();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // a closed pipe: nothing more can be delivered
        done += static_cast<std::size_t>(n);
    }
}

void PrintError(const std::string& sjisMessage) { std::cerr << Cp932ToUtf8(sjisMessage) << '\n'; }

int UsageError(const std::string& message) {
    std::cerr << "kelmio-cli: " << message << "\nTry 'kelmio-cli --help'.\n";
    return 2;
}

std::optional<unsigned long long> ParseUnsigned(const std::string& text) {
    unsigned long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace kelmio::cli
