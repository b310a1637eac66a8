#pragma once
// Small helpers shared by the kelmio-cli commands.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio::cli {

using Args = std::vector<std::string>;

// All of standard input as bytes.
std::string ReadStdin();
// Up to `size` bytes of standard input into `buffer`; 0 at its end (or
// after a read error, as for ReadStdin: what was read is the input).
std::size_t ReadStdinBlock(char* buffer, std::size_t size);

// Writes bytes to standard output unchanged.
void WriteStdout(std::string_view bytes);

// Prints a message (Shift-JIS) to standard error as UTF-8 with a newline.
void PrintError(const std::string& sjisMessage);

// Prints a usage error (plain ASCII) and returns the exit code for it.
int UsageError(const std::string& message);

// Parses a non-negative decimal number; nullopt when it is not one.
std::optional<unsigned long long> ParseUnsigned(const std::string& text);

}  // namespace kelmio::cli
