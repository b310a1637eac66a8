#include "keys/key_file.h"

#include <cstdint>

#include "stream/archive_stream.h"

namespace kelmio {
namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kSchema = 1;
constexpr std::string_view kClassName = "CKeycust";

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
        if (!m_in.ReadWord(small)) return false;
        if (small != 0xFFFF) {
            count = small;
            return true;
        }
        return m_in.ReadDword(count);
    }

    bool ReadEntry(std::vector<CKeycust>& bindings) {
        std::uint16_t tag = 0;
        if (!m_in.ReadWord(tag)) return false;
        if (tag == kNullTag) return true;
        if (tag == kNewClassTag) return ReadNewClass() && ReadObject(bindings);
        std::uint32_t number = 0;
        if (tag == kBigObjectTag) {
            if (!m_in.ReadDword(number)) return false;
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
        if (!m_in.ReadWord(schema) || !m_in.ReadWord(length) || !m_in.ReadBytes(length, name)) return false;
        if (name != kClassName || schema != kSchema) return false;
        m_numbered.push_back({true, {}});
        return true;
    }

    bool IsNumberedClass(std::uint32_t number) const {
        return number != 0 && number <= m_numbered.size() && m_numbered[number - 1].isClass;
    }

    bool ReadObject(std::vector<CKeycust>& bindings) {
        std::uint16_t key = 0, alt = 0, shift = 0, ctrl = 0, command = 0;
        if (!m_in.ReadWord(key) || !m_in.ReadWord(alt) || !m_in.ReadWord(shift) || !m_in.ReadWord(ctrl) || !m_in.ReadWord(command)) {
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

    CArchiveReader m_in;
    std::vector<Numbered> m_numbered;
};

}  // namespace

std::string WriteKeyFile(const std::vector<CKeycust>& bindings) {
    CArchiveWriter out;
    const std::size_t count = bindings.size();
    if (count < 0xFFFF) {
        out.WriteWord(static_cast<std::uint16_t>(count));
    } else {
        out.WriteWord(0xFFFF);
        out.WriteDword(static_cast<std::uint32_t>(count));
    }
    bool first = true;
    for (const CKeycust& binding : bindings) {
        if (first) {
            out.WriteWord(kNewClassTag);
            out.WriteWord(kSchema);
            out.WriteWord(static_cast<std::uint16_t>(kClassName.size()));
            out.WriteBytes(kClassName);
            first = false;
        } else {
            out.WriteWord(kClassTag | 1);
        }
        // The file keeps 16 bits of key and command, Shift before Ctrl.
        out.WriteWord(static_cast<std::uint16_t>(binding.m_nKey & 0xFFFF));
        out.WriteWord(binding.m_bAlt ? 1 : 0);
        out.WriteWord(binding.m_bShift ? 1 : 0);
        out.WriteWord(binding.m_bCtrl ? 1 : 0);
        out.WriteWord(static_cast<std::uint16_t>(binding.m_nCommand & 0xFFFF));
    }
    return out.TakeBytes();
}

std::optional<std::vector<CKeycust>> ReadKeyFile(std::string_view bytes) {
    return KeyFileParser(bytes).Parse();
}

}  // namespace kelmio
