#pragma once
// Whole files as bytes, read and written by path (the system's own name),
// for tests that look at what was saved or lay a file down to be read.

#include <fstream>
#include <iterator>
#include <string>

namespace kelmio::test {

// The file's bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kelmio::test
