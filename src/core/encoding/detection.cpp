#include "encoding/detection.h"

namespace kelmio {
namespace {

constexpr int kEnd = -1;

bool In(int byte, int low, int high) { return byte >= low && byte <= high; }

bool Undecided(TextEncoding result) { return result == TextEncoding::kAscii || result == TextEncoding::kSjisOrEuc; }

}  // namespace

CByteReader::CByteReader(std::string_view bytes)
    : m_pNext(reinterpret_cast<const unsigned char*>(bytes.data())), m_pEnd(m_pNext + bytes.size()) {}

CByteReader::CByteReader(Refill refill) : m_refill(std::move(refill)) {}

bool CByteReader::Fill() {
    if (!m_refill) return false;
    const std::size_t n = m_refill(m_block.data(), m_block.size());
    if (n == 0) {
        m_refill = nullptr;  // the end stays the end
        return false;
    }
    m_pNext = reinterpret_cast<const unsigned char*>(m_block.data());
    m_pEnd = m_pNext + (n < m_block.size() ? n : m_block.size());
    return true;
}

// The byte rules are those Kelmio has always used, kept exactly so that a
// file is taken the same way it always was. A byte read to look at a
// partner is consumed: the outer loop never looks at it again.
TextEncoding DetectEncoding(CByteReader& reader) {
    TextEncoding result = TextEncoding::kAscii;
    while (Undecided(result)) {
        const int c = reader.Next();
        if (c == kEnd) break;
        if (c == 0x1B) {
            if (reader.Next() == 0x24) {
                const int d = reader.Next();
                if (d == 0x42 || d == 0x40) result = TextEncoding::kJis;
            }
        } else if (In(c, 0x81, 0x8D) || In(c, 0x8F, 0x9F)) {
            result = TextEncoding::kShiftJis;
        } else if (c == 0x8E) {
            const int d = reader.Next();
            if (In(d, 0x40, 0x7E) || In(d, 0x80, 0xA0) || In(d, 0xE0, 0xFC)) result = TextEncoding::kShiftJis;
            else if (In(d, 0xA1, 0xDF)) result = TextEncoding::kSjisOrEuc;
        } else if (In(c, 0xA1, 0xDF)) {
            int d = reader.Next();
            if (In(d, 0xF0, 0xFE)) {
                result = TextEncoding::kEucJp;
            } else if (In(d, 0xA1, 0xDF)) {
                result = TextEncoding::kSjisOrEuc;
            } else if (In(d, 0xE0, 0xEF)) {
                // Runs only when an earlier pair already left the question
                // open; it never opens the question itself.
                while (d >= 0x40 && d != kEnd && result == TextEncoding::kSjisOrEuc) {
                    if (d >= 0x81) {
                        if (d <= 0x8D || In(d, 0x8F, 0x9F)) result = TextEncoding::kShiftJis;
                        else if (In(d, 0xFD, 0xFE)) result = TextEncoding::kEucJp;
                    }
                    d = reader.Next();
                }
            } else if (d <= 0x9F) {
                // Also the end of the file: a lone half-width katakana
                // there cannot be the first half of an EUC pair.
                result = TextEncoding::kShiftJis;
            }
        } else if (In(c, 0xF0, 0xFE)) {
            result = TextEncoding::kEucJp;
        } else if (In(c, 0xE0, 0xEF)) {
            const int d = reader.Next();
            if (In(d, 0x40, 0x7E) || In(d, 0x80, 0xA0)) result = TextEncoding::kShiftJis;
            else if (In(d, 0xFD, 0xFE)) result = TextEncoding::kEucJp;
            else if (In(d, 0xA1, 0xFC)) result = TextEncoding::kSjisOrEuc;
        }
    }
    return result;
}

LineEnd DetectLineEnd(CByteReader& reader) {
    while (true) {
        const int c = reader.Next();
        if (c == kEnd) return LineEnd::kNone;
        if (c == '\n') return LineEnd::kLf;
        if (c == '\r') return reader.Next() == '\n' ? LineEnd::kCrLf : LineEnd::kCr;
    }
}

TextEncoding DetectEncoding(std::string_view bytes) {
    CByteReader reader(bytes);
    return DetectEncoding(reader);
}

LineEnd DetectLineEnd(std::string_view bytes) {
    CByteReader reader(bytes);
    return DetectLineEnd(reader);
}

}  // namespace kelmio
