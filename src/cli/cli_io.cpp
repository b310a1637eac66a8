#include "cli/cli_io.h"

#include <charconv>
#include <iostream>
#include <iterator>

#include "text/cp932.h"

namespace kelmio::cli {

std::string ReadStdin() {
    std::cin >> std::noskipws;
    return {std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
}

void WriteStdout(const std::string& bytes) {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
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
