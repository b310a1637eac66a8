#pragma once
// Writes dictd databases for tests: an index and its text, plain or as a
// dictzip file made the way dictzip makes them (each chunk deflated on its
// own after a full flush, their sizes in the header's "RA" field).

#include <zlib.h>

#include <string>
#include <utility>
#include <vector>

namespace kelmio::test {

inline std::string DictdNumber(std::uint64_t value) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 64]);
        value /= 64;
    } while (value != 0);
    return text;
}

struct DictdDatabaseText {
    std::string index;
    std::string text;
};

// Entries as (headword, definition); the definition is stored as given.
inline DictdDatabaseText MakeDictdDatabase(const std::vector<std::pair<std::string, std::string>>& entries) {
    DictdDatabaseText database;
    for (const auto& [headword, definition] : entries) {
        database.index += headword + "\t" + DictdNumber(database.text.size()) + "\t" + DictdNumber(definition.size()) + "\n";
        database.text += definition;
    }
    return database;
}

inline void PutLe16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

inline std::string Dictzip(const std::string& text, unsigned chunkLength) {
    std::vector<std::string> chunks;
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    for (std::size_t start = 0; start < text.size(); start += chunkLength) {
        const std::string piece = text.substr(start, chunkLength);
        std::string out(deflateBound(&stream, piece.size()) + 64, '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
        stream.avail_in = static_cast<uInt>(piece.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, start + chunkLength >= text.size() ? Z_FINISH : Z_FULL_FLUSH);
        out.resize(out.size() - stream.avail_out);
        chunks.push_back(out);
    }
    deflateEnd(&stream);
    std::string extra = "RA";
    PutLe16(extra, 6 + 2 * static_cast<unsigned>(chunks.size()));
    PutLe16(extra, 1);
    PutLe16(extra, chunkLength);
    PutLe16(extra, static_cast<unsigned>(chunks.size()));
    for (const std::string& chunk : chunks) PutLe16(extra, static_cast<unsigned>(chunk.size()));
    std::string file = std::string("\x1F\x8B\x08\x0C", 4) + std::string(4, '\0') + std::string("\x02\x03", 2);
    PutLe16(file, static_cast<unsigned>(extra.size()));
    file += extra;
    file += std::string("name.dict", 9) + '\0';  // the FNAME field dictzip writes
    for (const std::string& chunk : chunks) file += chunk;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size()));
    for (int i = 0; i < 4; ++i) file += static_cast<char>((crc >> (8 * i)) & 0xFF);
    for (int i = 0; i < 4; ++i) file += static_cast<char>((text.size() >> (8 * i)) & 0xFF);
    return file;
}

}  // namespace kelmio::test
