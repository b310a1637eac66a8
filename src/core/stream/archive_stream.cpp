#include "stream/archive_stream.h"

#include "text/cp932.h"

namespace kelmio {

namespace {

constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kDwordEscape = 0xFFFFFFFF;

template <typename T>
T FromLittleEndian(std::string_view bytes) {
    T value = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
        value = static_cast<T>((value << 8) | static_cast<unsigned char>(bytes[i]));
    }
    return value;
}

template <typename T>
void AppendLittleEndian(std::string& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

void CArchiveWriter::WriteWord(std::uint16_t value) { AppendLittleEndian(m_bytes, value); }
void CArchiveWriter::WriteDword(std::uint32_t value) { AppendLittleEndian(m_bytes, value); }
void CArchiveWriter::WriteQword(std::uint64_t value) { AppendLittleEndian(m_bytes, value); }

void CArchiveWriter::WriteString(std::string_view text) {
    WriteLength(text.size());
    m_bytes.append(text);
}

void CArchiveWriter::WriteWideString(std::u16string_view text) {
    WriteByte(kByteEscape);
    WriteWord(kWideMarker);
    WriteLength(text.size());
    for (const char16_t unit : text) WriteWord(static_cast<std::uint16_t>(unit));
}

void CArchiveWriter::WriteLength(std::uint64_t length) {
    if (length < kByteEscape) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else {
        WriteByte(kByteEscape);
        if (length < kWideMarker) {
            WriteWord(static_cast<std::uint16_t>(length));
        } else {
            WriteWord(kWordEscape);
            if (length < kDwordEscape) {
                WriteDword(static_cast<std::uint32_t>(length));
            } else {
                WriteDword(kDwordEscape);
                WriteQword(length);
            }
        }
    }
}

bool CArchiveReader::Fail() {
    m_failed = true;
    return false;
}

bool CArchiveReader::Take(std::uint64_t count, std::string_view& bytes) {
    if (m_failed || count > Remaining()) return Fail();
    bytes = m_bytes.substr(m_pos, static_cast<std::size_t>(count));
    m_pos += static_cast<std::size_t>(count);
    return true;
}

bool CArchiveReader::ReadByte(std::uint8_t& value) {
    std::string_view bytes;
    if (!Take(1, bytes)) return false;
    value = static_cast<std::uint8_t>(bytes[0]);
    return true;
}

bool CArchiveReader::ReadWord(std::uint16_t& value) {
    std::string_view bytes;
    if (!Take(2, bytes)) return false;
    value = FromLittleEndian<std::uint16_t>(bytes);
    return true;
}

bool CArchiveReader::ReadDword(std::uint32_t& value) {
    std::string_view bytes;
    if (!Take(4, bytes)) return false;
    value = FromLittleEndian<std::uint32_t>(bytes);
    return true;
}

bool CArchiveReader::ReadQword(std::uint64_t& value) {
    std::string_view bytes;
    if (!Take(8, bytes)) return false;
    value = FromLittleEndian<std::uint64_t>(bytes);
    return true;
}

bool CArchiveReader::ReadLong(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!ReadDword(raw)) return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

// The length after its first byte, once the wide marker has been ruled out
// or consumed. After the marker a WORD FFFE is simply a length.
bool CArchiveReader::ReadPlainLength(std::uint8_t first, std::uint64_t& length) {
    if (first < kByteEscape) {
        length = first;
        return true;
    }
    std::uint16_t word = 0;
    if (!ReadWord(word)) return false;
    return ReadLengthAfterWord(word, length);
}

bool CArchiveReader::ReadLengthAfterWord(std::uint16_t word, std::uint64_t& length) {
    if (word < kWordEscape) {
        length = word;
        return true;
    }
    std::uint32_t dword = 0;
    if (!ReadDword(dword)) return false;
    if (dword < kDwordEscape) {
        length = dword;
        return true;
    }
    return ReadQword(length);
}

bool CArchiveReader::ReadLength(std::uint64_t& length, bool& wide) {
    wide = false;
    std::uint8_t first = 0;
    if (!ReadByte(first)) return false;
    if (first < kByteEscape) {
        length = first;
        return true;
    }
    std::uint16_t word = 0;
    if (!ReadWord(word)) return false;
    if (word != kWideMarker) return ReadLengthAfterWord(word, length);
    wide = true;
    return ReadByte(first) && ReadPlainLength(first, length);
}

bool CArchiveReader::ReadString(std::string& text) {
    ArchiveString read;
    if (!ReadEitherString(read)) return false;
    text = read.bWide ? Utf16ToCp932(read.wide) : std::move(read.narrow);
    return true;
}

bool CArchiveReader::ReadEitherString(ArchiveString& text) {
    std::uint64_t length = 0;
    if (!ReadLength(length, text.bWide)) return false;
    std::string_view bytes;
    if (!text.bWide) {
        if (!Take(length, bytes)) return false;
        text.narrow.assign(bytes);
        return true;
    }
    if (length > Remaining() / 2) return Fail();
    if (!Take(length * 2, bytes)) return false;
    text.wide = Utf16FromLeBytes(bytes);
    return true;
}

}  // namespace kelmio
