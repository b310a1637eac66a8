#include "keys/key_file.h"

#include <cstdint>

namespace kelmio {
namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kSchema = 1;
constexpr std::string_view kClassName = "CKeycust";

void PutU16(std::string& out, unsigned int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    bool U16(std::uint16_t& value) {
        if (Remaining() < 2) return false;
        value = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
        m_pos += 2;
        return true;
    }
    bool U32(std::uint32_t& value) {
        std::uint16_t low = 0, high = 0;
        if (Remaining() < 4 || !U16(low) || !U16(high)) return false;
        value = low | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }
    bool Text(std::size_t length, std::string_view& text) {
        if (Remaining() < length) return false;
        text = m_bytes.substr(m_pos, length);
        m_pos += length;
        return true;
    }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

private:
    unsigned int Byte(std::size_t offset) const { return static_cast<unsigned char>(m_bytes[m_pos + offset]); }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// What a number in the stream stands for: the class, or a binding read.
struct Numbered {
    bool isClass = false;
    CKeycust binding;
};

class KeyFileParser {
public:
    explicit KeyFileParser(std::string_view bytes) : m_in(bytes) {}

    std::optional<std::vector<CKeycust>> Parse() {
        std::uint32_t count = 0;
        if (!ReadCount(count)) return std::nullopt;
        // Every entry takes at least its two-byte tag, so a count the bytes
        // cannot hold is refused before anything is done with it.
        if (count > m_in.Remaining() / 2) return std::nullopt;
        std::vector<CKeycust> bindings;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!ReadEntry(bindings)) return std::nullopt;
        }
        return bindings;
    }

private:
    bool ReadCount(std::uint32_t& count) {
        std::uint16_t small = 0;
        if (!m_in.U16(small)) return false;
        if (small != 0xFFFF) {
            count = small;
            return true;
        }
        return m_in.U32(count);
    }

    bool ReadEntry(std::vector<CKeycust>& bindings) {
        std::uint16_t tag = 0;
        if (!m_in.U16(tag)) return false;
        if (tag == kNullTag) return true;
        if (tag == kNewClassTag) return ReadNewClass() && ReadObject(bindings);
        std::uint32_t number = 0;
        if (tag == kBigObjectTag) {
            if (!m_in.U32(number)) return false;
        } else {
            number = (static_cast<std::uint32_t>(tag & kClassTag) << 16) | (tag & ~kClassTag);
        }
        if ((number & kBigClassTag) != 0) {
            return IsNumberedClass(number & ~kBigClassTag) && ReadObject(bindings);
        }
        // A back-reference: the same binding once more.
        if (number == 0 || number > m_numbered.size() || m_numbered[number - 1].isClass) return false;
        bindings.push_back(m_numbered[number - 1].binding);
        return true;
    }

    bool ReadNewClass() {
        std::uint16_t schema = 0, length = 0;
        std::string_view name;
        if (!m_in.U16(schema) || !m_in.U16(length) || !m_in.Text(length, name)) return false;
        if (name != kClassName || schema != kSchema) return false;
        m_numbered.push_back({true, {}});
        return true;
    }

    bool IsNumberedClass(std::uint32_t number) const {
        return number != 0 && number <= m_numbered.size() && m_numbered[number - 1].isClass;
    }

    bool ReadObject(std::vector<CKeycust>& bindings) {
        std::uint16_t key = 0, alt = 0, shift = 0, ctrl = 0, command = 0;
        if (!m_in.U16(key) || !m_in.U16(alt) || !m_in.U16(shift) || !m_in.U16(ctrl) || !m_in.U16(command)) {
            return false;
        }
        CKeycust binding;
        binding.m_nKey = key;
        binding.m_bAlt = alt != 0;
        binding.m_bShift = shift != 0;
        binding.m_bCtrl = ctrl != 0;
        binding.m_nCommand = command;
        m_numbered.push_back({false, binding});
        bindings.push_back(binding);
        return true;
    }

    ByteReader m_in;
    std::vector<Numbered> m_numbered;
};

}  // namespace

std::string WriteKeyFile(const std::vector<CKeycust>& bindings) {
    std::string out;
    const std::size_t count = bindings.size();
    if (count < 0xFFFF) {
        PutU16(out, static_cast<unsigned int>(count));
    } else {
        PutU16(out, 0xFFFF);
        PutU32(out, static_cast<std::uint32_t>(count));
    }
    out.reserve(out.size() + 14 + count * 12);
    bool first = true;
    for (const CKeycust& binding : bindings) {
        if (first) {
            PutU16(out, kNewClassTag);
            PutU16(out, kSchema);
            PutU16(out, static_cast<unsigned int>(kClassName.size()));
            out.append(kClassName);
            first = false;
        } else {
            PutU16(out, kClassTag | 1);
        }
        // The file keeps 16 bits of key and command, Shift before Ctrl.
        PutU16(out, binding.m_nKey & 0xFFFF);
        PutU16(out, binding.m_bAlt ? 1 : 0);
        PutU16(out, binding.m_bShift ? 1 : 0);
        PutU16(out, binding.m_bCtrl ? 1 : 0);
        PutU16(out, binding.m_nCommand & 0xFFFF);
    }
    return out;
}

std::optional<std::vector<CKeycust>> ReadKeyFile(std::string_view bytes) {
    return KeyFileParser(bytes).Parse();
}

}  // namespace kelmio
