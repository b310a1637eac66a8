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

// Output goes through a small local buffer, appended to the caller's string
// a block at a time. Each block takes only as much input as can never
// overflow the buffer (`factor` output bytes per input byte at most, plus
// slack for a character that starts at the block's end), so the inner loops
// need no bounds check of their own and no output is sized from the input.
constexpr std::size_t kBlock = 16384;
constexpr std::size_t kSlack = 80;  // also a run of kanji taken at once

template <typename Step>
void Convert(std::string_view text, std::string& out, std::size_t factor, Step step) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const end = p + text.size();
    char buffer[kBlock];
    const std::size_t room = (kBlock - kSlack) / factor;
    while (p < end) {
        const unsigned char* const stop = static_cast<std::size_t>(end - p) > room ? p + room : end;
        char* o = buffer;
        while (p < stop) step(p, end, o);
        out.append(buffer, static_cast<std::size_t>(o - buffer));
    }
}

void Put(char*& o, unsigned char byte) { *o++ = static_cast<char>(byte); }
void Put(char*& o, std::string_view bytes) {
    for (const char c : bytes) *o++ = c;
}

// The JIS X 0208 <-> Shift-JIS arithmetic as small tables: the row picks
// the lead byte, the cell and the row's parity the trail byte.
struct CMappingTables {
    unsigned char m_leadOfRow[94] = {};
    unsigned char m_trailOfCell[2][94] = {};   // [row is even][cell]
    unsigned char m_rowPairOfLead[256] = {};   // 1 + row / 2, 0 when not a JIS X 0208 lead byte
    unsigned char m_cellOfTrail[256] = {};     // cell + 1, 0 when not a trail byte
    bool m_bSecondRowOfTrail[256] = {};        // the trail byte belongs to the even row of the pair

    constexpr CMappingTables() {
        for (unsigned row = 0; row < 94; ++row) {
            const unsigned lead = (row >> 1) + 0x81;
            m_leadOfRow[row] = static_cast<unsigned char>(lead > 0x9F ? lead + 0x40 : lead);
        }
        for (unsigned cell = 0; cell < 94; ++cell) {
            const unsigned odd = cell + 0x40;  // rows 0x21, 0x23, ...: 0x40-0x7E, 0x80-0x9E
            m_trailOfCell[0][cell] = static_cast<unsigned char>(odd >= 0x7F ? odd + 1 : odd);
            m_trailOfCell[1][cell] = static_cast<unsigned char>(cell + 0x9F);
        }
        for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
            if (lead > 0x9F && lead < 0xE0) continue;
            m_rowPairOfLead[lead] = static_cast<unsigned char>((lead <= 0x9F ? lead - 0x81 : lead - 0xC1) + 1);
        }
        for (unsigned row = 0; row < 2; ++row) {
            for (unsigned cell = 0; cell < 94; ++cell) {
                const unsigned char trail = m_trailOfCell[row][cell];
                m_cellOfTrail[trail] = static_cast<unsigned char>(cell + 1);
                m_bSecondRowOfTrail[trail] = row == 1;
            }
        }
    }
};

constexpr CMappingTables kTables;

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

void ReturnToAscii(CJisState& state, char*& o) {
    if (state.m_bKana) Put(o, kShiftIn);
    if (state.m_bKanji) Put(o, kKanjiOut);
    state = CJisState{};
}

}  // namespace

bool JisPairToSjis(unsigned char first, unsigned char second, unsigned char& lead, unsigned char& trail) {
    if (!IsJisByte(first) || !IsJisByte(second)) return false;
    lead = kTables.m_leadOfRow[first - 0x21];
    trail = kTables.m_trailOfCell[(first & 1) == 0][second - 0x21];
    return true;
}

bool SjisPairToJis(unsigned char lead, unsigned char trail, unsigned char& first, unsigned char& second) {
    const unsigned rowPair = kTables.m_rowPairOfLead[lead];
    const unsigned cell = kTables.m_cellOfTrail[trail];
    if (rowPair == 0 || cell == 0) return false;
    first = static_cast<unsigned char>(0x21 + (rowPair - 1) * 2 + (kTables.m_bSecondRowOfTrail[trail] ? 1 : 0));
    second = static_cast<unsigned char>(0x20 + cell);
    return true;
}

LineConversion JisToSjis(std::string_view line, CJisState& state, std::string& out) {
    LineConversion result;
    Convert(line, out, 1, [&](const unsigned char*& p, const unsigned char* end, char*& o) {
        const unsigned char c = *p;
        if (c == kEsc) {
            if (const std::size_t n = TakeEscape(p, end, state)) {
                p += n;
                return;
            }
        } else if (c == kShiftOut) {
            state = CJisState{false, true};
            ++p;
            return;
        } else if (c == kShiftIn) {
            state = CJisState{};
            ++p;
            return;
        }
        if (state.m_bKanji) {
            // Kanji come in runs: take the whole run here, pair by pair.
            const unsigned char* const start = p;
            while (end - p >= 2 && IsJisByte(p[0]) && IsJisByte(p[1]) && p - start < 64) {
                Put(o, kTables.m_leadOfRow[p[0] - 0x21]);
                Put(o, kTables.m_trailOfCell[(p[0] & 1) == 0][p[1] - 0x21]);
                p += 2;
            }
            result.converted += static_cast<std::size_t>(p - start) / 2;
            if (p != start) return;
            // No mapping: keep the first byte, try again from the second.
        } else if (state.m_bKana && c >= 0x21 && c <= 0x5F) {
            Put(o, static_cast<unsigned char>(c + 0x80));
            ++p;
            return;
        }
        // Controls and bytes outside the kana range stay what they are;
        // lifting them by 0x80 would turn a CR or a space into a lead byte.
        Put(o, c);
        ++p;
    });
    return result;
}

LineConversion EucToSjis(std::string_view line, std::string& out) {
    LineConversion result;
    Convert(line, out, 1, [&](const unsigned char*& p, const unsigned char* end, char*& o) {
        const unsigned char c = *p;
        if (c < 0x80) {
            Put(o, c);
            ++p;
        } else if (c == kSingleShift2) {
            ++p;
            if (p < end) Put(o, *p++);
        } else if (c == kSingleShift3) {
            ++p;
        } else {
            unsigned char lead = 0;
            unsigned char trail = 0;
            // Both bytes of an EUC pair have the top bit set; a 7-bit byte
            // after a lone high byte is ASCII and must not be swallowed.
            if (end - p >= 2 && p[1] >= 0x80 && JisPairToSjis(c & 0x7F, p[1] & 0x7F, lead, trail)) {
                Put(o, lead);
                Put(o, trail);
                ++result.converted;
                p += 2;
            } else {
                Put(o, c);
                ++p;
            }
        }
    });
    return result;
}

LineConversion SjisToJis(std::string_view line, CJisState& state, std::string& out) {
    LineConversion result;
    // An ASCII byte after kana and kanji: SI, ESC ( B and the byte.
    Convert(line, out, 5, [&](const unsigned char*& p, const unsigned char* end, char*& o) {
        const unsigned char c = *p;
        if (IsHalfWidthKana(c)) {
            if (!state.m_bKana) Put(o, kShiftOut);
            state = CJisState{false, true};
            Put(o, static_cast<unsigned char>(c - 0x80));
            ++p;
            return;
        }
        if (IsSjisLeadByte(c) && end - p >= 2 && IsSjisTrailByte(p[1])) {
            unsigned char first = 0;
            unsigned char second = 0;
            if (SjisPairToJis(c, p[1], first, second)) {
                if (state.m_bKana) Put(o, kShiftIn);
                if (!state.m_bKanji) Put(o, kKanjiIn);
                state = CJisState{true, false};
                Put(o, first);
                Put(o, second);
                ++result.converted;
            } else {
                ReturnToAscii(state, o);
                Put(o, c);
                Put(o, p[1]);
                ++result.unmapped;
            }
            p += 2;
            return;
        }
        ReturnToAscii(state, o);
        Put(o, c);
        ++p;
    });
    char tail[8];
    char* o = tail;
    ReturnToAscii(state, o);
    out.append(tail, static_cast<std::size_t>(o - tail));
    return result;
}

LineConversion SjisToEuc(std::string_view line, std::string& out) {
    LineConversion result;
    Convert(line, out, 2, [&](const unsigned char*& p, const unsigned char* end, char*& o) {
        const unsigned char c = *p;
        if (IsHalfWidthKana(c)) {
            Put(o, kSingleShift2);
            Put(o, c);
            ++p;
            return;
        }
        if (IsSjisLeadByte(c) && end - p >= 2 && IsSjisTrailByte(p[1])) {
            unsigned char first = 0;
            unsigned char second = 0;
            if (SjisPairToJis(c, p[1], first, second)) {
                Put(o, static_cast<unsigned char>(first | 0x80));
                Put(o, static_cast<unsigned char>(second | 0x80));
                ++result.converted;
            } else {
                Put(o, c);
                Put(o, p[1]);
                ++result.unmapped;
            }
            p += 2;
            return;
        }
        Put(o, c);
        ++p;
    });
    return result;
}

}  // namespace kelmio
