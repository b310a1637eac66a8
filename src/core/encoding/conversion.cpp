#include "encoding/conversion.h"

#include "text/sjis.h"

namespace kelmio {
namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kShiftOut = 0x0E;  // half-width katakana follow
constexpr unsigned char kShiftIn = 0x0F;   // back to ASCII
constexpr unsigned char kSingleShift2 = 0x8E;
constexpr unsigned char kSingleShift3 = 0x8F;

// The sequences written, fixed: JIS X 0208-1983 in, ASCII out.
constexpr std::string_view kKanjiIn = "\x1B$B";
constexpr std::string_view kKanjiOut = "\x1B(B";

bool IsHalfWidthKana(unsigned char byte) { return byte >= 0xA1 && byte <= 0xDF; }
bool IsJisByte(unsigned char byte) { return byte >= 0x21 && byte <= 0x7E; }

// Collects output in a small local buffer and appends it to the caller's
// string in blocks: one bounds check per character instead of a string
// append per byte, and no output buffer sized from the input.
class CSink {
public:
    explicit CSink(std::string& out) : m_out(out) {}
    ~CSink() { Flush(); }
    CSink(const CSink&) = delete;
    CSink& operator=(const CSink&) = delete;

    // Makes room for the longest output of one character (escape + pair).
    void Reserve() {
        if (m_pEnd - m_pNext < 8) Flush();
    }
    void Put(unsigned char byte) { *m_pNext++ = static_cast<char>(byte); }
    void Put(std::string_view bytes) {
        for (const char c : bytes) *m_pNext++ = c;
    }

private:
    void Flush() {
        m_out.append(m_buffer, static_cast<std::size_t>(m_pNext - m_buffer));
        m_pNext = m_buffer;
    }

    std::string& m_out;
    char m_buffer[16384];
    char* m_pNext = m_buffer;
    char* const m_pEnd = m_buffer + sizeof m_buffer;
};

// Length of the escape sequence at `p` that switches the JIS state (and
// switches it), or 0 when the bytes there are not one of them.
std::size_t TakeEscape(const unsigned char* p, const unsigned char* end, CJisState& state) {
    const std::size_t left = static_cast<std::size_t>(end - p);
    if (left < 3) return 0;
    const unsigned char a = p[1];
    const unsigned char b = p[2];
    if ((a == '$' && (b == '@' || b == 'B')) || (a == '&' && b == '@')) {
        state = CJisState{true, false};
        return 3;
    }
    if (a == '(' && (b == 'J' || b == 'H' || b == 'B')) {
        state = CJisState{false, false};
        return 3;
    }
    if (a == '(' && b == 'I') {
        state = CJisState{false, true};
        return 3;
    }
    if (left >= 4 && a == '$' && b == '(' && p[3] == 'D') {
        state = CJisState{true, false};
        return 4;
    }
    return 0;
}

void ReturnToAscii(CJisState& state, CSink& sink) {
    if (state.m_bKana) sink.Put(kShiftIn);
    if (state.m_bKanji) sink.Put(kKanjiOut);
    state = CJisState{};
}

const unsigned char* Begin(std::string_view text) { return reinterpret_cast<const unsigned char*>(text.data()); }

}  // namespace

bool JisPairToSjis(unsigned char first, unsigned char second, unsigned char& lead, unsigned char& trail) {
    if (!IsJisByte(first) || !IsJisByte(second)) return false;
    unsigned int l = ((first - 0x21u) >> 1) + 0x81u;
    if (l > 0x9F) l += 0x40;
    unsigned int t = 0;
    if (first & 1u) {
        t = second + 0x1Fu;
        if (t >= 0x7F) ++t;  // 0x7F is never a trail byte
    } else {
        t = second + 0x7Eu;
    }
    lead = static_cast<unsigned char>(l);
    trail = static_cast<unsigned char>(t);
    return true;
}

bool SjisPairToJis(unsigned char lead, unsigned char trail, unsigned char& first, unsigned char& second) {
    unsigned int row = 0;
    if (lead >= 0x81 && lead <= 0x9F) row = lead - 0x81u;
    else if (lead >= 0xE0 && lead <= 0xEF) row = lead - 0xC1u;
    else return false;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
    unsigned int f = row * 2 + 0x21;
    unsigned int s = 0;
    if (trail >= 0x9F) {
        ++f;
        s = trail - 0x7Eu;
    } else {
        s = trail - 0x1Fu - (trail >= 0x80 ? 1u : 0u);
    }
    first = static_cast<unsigned char>(f);
    second = static_cast<unsigned char>(s);
    return true;
}

LineConversion JisToSjis(std::string_view line, CJisState& state, std::string& out) {
    LineConversion result;
    CSink sink(out);
    const unsigned char* p = Begin(line);
    const unsigned char* const end = p + line.size();
    while (p < end) {
        sink.Reserve();
        const unsigned char c = *p;
        if (c == kEsc) {
            if (const std::size_t n = TakeEscape(p, end, state)) {
                p += n;
                continue;
            }
        } else if (c == kShiftOut) {
            state = CJisState{false, true};
            ++p;
            continue;
        } else if (c == kShiftIn) {
            state = CJisState{};
            ++p;
            continue;
        }
        if (state.m_bKanji) {
            unsigned char lead = 0;
            unsigned char trail = 0;
            if (end - p >= 2 && JisPairToSjis(c, p[1], lead, trail)) {
                sink.Put(lead);
                sink.Put(trail);
                ++result.converted;
                p += 2;
                continue;
            }
            // No mapping: keep the first byte, try again from the second.
        } else if (state.m_bKana && c >= 0x21 && c <= 0x5F) {
            sink.Put(static_cast<unsigned char>(c + 0x80));
            ++p;
            continue;
        }
        // Controls and bytes outside the kana range stay what they are;
        // lifting them by 0x80 would turn a CR or a space into a lead byte.
        sink.Put(c);
        ++p;
    }
    return result;
}

LineConversion EucToSjis(std::string_view line, std::string& out) {
    LineConversion result;
    CSink sink(out);
    const unsigned char* p = Begin(line);
    const unsigned char* const end = p + line.size();
    while (p < end) {
        sink.Reserve();
        const unsigned char c = *p;
        if (c < 0x80) {
            sink.Put(c);
            ++p;
        } else if (c == kSingleShift2) {
            ++p;
            if (p < end) sink.Put(*p++);
        } else if (c == kSingleShift3) {
            ++p;
        } else {
            unsigned char lead = 0;
            unsigned char trail = 0;
            // Both bytes of an EUC pair have the top bit set; a 7-bit byte
            // after a lone high byte is ASCII and must not be swallowed.
            if (end - p >= 2 && p[1] >= 0x80 && JisPairToSjis(c & 0x7F, p[1] & 0x7F, lead, trail)) {
                sink.Put(lead);
                sink.Put(trail);
                ++result.converted;
                p += 2;
            } else {
                sink.Put(c);
                ++p;
            }
        }
    }
    return result;
}

LineConversion SjisToJis(std::string_view line, CJisState& state, std::string& out) {
    LineConversion result;
    CSink sink(out);
    const unsigned char* p = Begin(line);
    const unsigned char* const end = p + line.size();
    while (p < end) {
        sink.Reserve();
        const unsigned char c = *p;
        if (IsHalfWidthKana(c)) {
            if (!state.m_bKana) sink.Put(kShiftOut);
            state = CJisState{false, true};
            sink.Put(static_cast<unsigned char>(c - 0x80));
            ++p;
            continue;
        }
        if (IsSjisLeadByte(c) && end - p >= 2 && IsSjisTrailByte(p[1])) {
            unsigned char first = 0;
            unsigned char second = 0;
            if (SjisPairToJis(c, p[1], first, second)) {
                if (state.m_bKana) sink.Put(kShiftIn);
                if (!state.m_bKanji) sink.Put(kKanjiIn);
                state = CJisState{true, false};
                sink.Put(first);
                sink.Put(second);
                ++result.converted;
            } else {
                ReturnToAscii(state, sink);
                sink.Put(c);
                sink.Put(p[1]);
                ++result.unmapped;
            }
            p += 2;
            continue;
        }
        ReturnToAscii(state, sink);
        sink.Put(c);
        ++p;
    }
    sink.Reserve();
    ReturnToAscii(state, sink);
    return result;
}

LineConversion SjisToEuc(std::string_view line, std::string& out) {
    LineConversion result;
    CSink sink(out);
    const unsigned char* p = Begin(line);
    const unsigned char* const end = p + line.size();
    while (p < end) {
        sink.Reserve();
        const unsigned char c = *p;
        if (IsHalfWidthKana(c)) {
            sink.Put(kSingleShift2);
            sink.Put(c);
            ++p;
            continue;
        }
        if (IsSjisLeadByte(c) && end - p >= 2 && IsSjisTrailByte(p[1])) {
            unsigned char first = 0;
            unsigned char second = 0;
            if (SjisPairToJis(c, p[1], first, second)) {
                sink.Put(static_cast<unsigned char>(first | 0x80));
                sink.Put(static_cast<unsigned char>(second | 0x80));
                ++result.converted;
            } else {
                sink.Put(c);
                sink.Put(p[1]);
                ++result.unmapped;
            }
            p += 2;
            continue;
        }
        sink.Put(c);
        ++p;
    }
    return result;
}

}  // namespace kelmio
