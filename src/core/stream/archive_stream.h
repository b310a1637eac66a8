#pragma once
// Fixed-width little-endian numbers and length-prefixed strings, as Kelmio's
// binary files store them.
//
// A string is its length L in bytes followed by the bytes, no terminator:
//   L < 0xFF              BYTE L
//   L < 0xFFFE            BYTE FF, WORD L
//   L < 0xFFFFFFFF        BYTE FF, WORD FFFF, DWORD L
//   larger                BYTE FF, WORD FFFF, DWORD FFFFFFFF, QWORD L
// The writer always takes the shortest form. BYTE FF, WORD FFFE marks a
// wide string: the length follows again (in UTF-16 code units, same forms)
// and then 2*L bytes of UTF-16LE text. Kelmio writes one only for a file
// name that has no Shift-JIS form; ReadString converts it to Shift-JIS.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelmio {

class CArchiveWriter {
public:
    void WriteByte(std::uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }
    void WriteWord(std::uint16_t value);
    void WriteDword(std::uint32_t value);
    void WriteQword(std::uint64_t value);
    void WriteLong(std::int32_t value) { WriteDword(static_cast<std::uint32_t>(value)); }
    void WriteString(std::string_view text);
    void WriteWideString(std::u16string_view text);
    void WriteBytes(std::string_view bytes) { m_bytes.append(bytes); }
    // The length that begins a string of `length` bytes, for a writer that
    // hands on the bytes themselves.
    void WriteStringLength(std::uint64_t length) { WriteLength(length); }

    const std::string& Bytes() const { return m_bytes; }
    std::string TakeBytes() { return std::move(m_bytes); }

private:
    void WriteLength(std::uint64_t length);

    std::string m_bytes;
};

// A string as stored: Shift-JIS bytes, or UTF-16 behind the wide marker.
struct ArchiveString {
    bool bWide = false;
    std::string narrow;
    std::u16string wide;
};

// Reads from a byte buffer it does not own. Every read checks the bytes that
// remain first, so no length or count from the buffer can make it read past
// the end or allocate more than the buffer holds. After the first failed
// read every later read fails too.
class CArchiveReader {
public:
    explicit CArchiveReader(std::string_view bytes) : m_bytes(bytes) {}

    bool ReadByte(std::uint8_t& value);
    bool ReadWord(std::uint16_t& value);
    bool ReadDword(std::uint32_t& value);
    bool ReadQword(std::uint64_t& value);
    bool ReadLong(std::int32_t& value);
    bool ReadString(std::string& text);
    // The string in the form it was stored, for readers that must not
    // lose what Shift-JIS cannot hold.
    bool ReadEitherString(ArchiveString& text);
    // The next `count` bytes as they stand.
    bool ReadBytes(std::uint64_t count, std::string_view& bytes) { return Take(count, bytes); }

    std::size_t Remaining() const { return m_bytes.size() - m_pos; }
    std::size_t Position() const { return m_pos; }
    bool Failed() const { return m_failed; }

private:
    bool Fail();
    bool ReadLength(std::uint64_t& length, bool& wide);
    bool ReadPlainLength(std::uint8_t first, std::uint64_t& length);
    bool ReadLengthAfterWord(std::uint16_t word, std::uint64_t& length);
    bool Take(std::uint64_t count, std::string_view& bytes);

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

}  // namespace kelmio
