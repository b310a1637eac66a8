#include "encoding/conversion.h"

#include <cstdint>
#include <cstring>
#include <vector>

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

// `body(p, stop, end, o)` converts from `p` until it reaches `stop`
// (finishing a character that starts before it), writing at `o`. Counts
// kept in the body's own locals stay in registers, which the byte stores
// through `o` would otherwise force back to memory after every character.
template <typename Body>
void Convert(std::string_view text, std::string& out, std::size_t factor, Body body) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const end = p + text.size();
    char buffer[kBlock];
    const std::size_t room = (kBlock - kSlack) / factor;
    while (p < end) {
        const unsigned char* const stop = static_cast<std::size_t>(end - p) > room ? p + room : end;
        char* o = buffer;
        body(p, stop, end, o);
        out.append(buffer, static_cast<std::size_t>(o - buffer));
    }
}

void Put(char*& o, unsigned char byte) { *o++ = static_cast<char>(byte); }
void Put(char*& o, std::string_view bytes) {
    for (const char c : bytes) *o++ = c;
}
void PutPair(char*& o, std::uint16_t pair) {
    o[0] = static_cast<char>(pair >> 8);
    o[1] = static_cast<char>(pair & 0xFF);
    o += 2;
}

// Copies the 7-bit bytes from `p` up to `stop` (or the first byte with the
// top bit set). Japanese text has short ASCII runs between its kanji (a
// word, a number, a line's end), for which a plain loop is fastest.
inline void CopyAscii(const unsigned char*& p, const unsigned char* stop, char*& o) {
    do {
        Put(o, *p++);
    } while (p < stop && *p < 0x80);
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

// Whole-pair tables, one look-up per double-byte character, built once from
// the arithmetic above (so they cannot disagree with it). Indexed by the two
// bytes as one 16-bit number.
constexpr std::uint16_t kNoPair = 0;         // not a Shift-JIS pair: the lead byte stands alone
constexpr std::uint16_t kUnmappedPair = 1;   // a pair with no JIS X 0208 position

// The EUC tables are indexed by the two bytes as they lie in memory and
// give the two output bytes as they are stored (RawPair), so the EUC loops
// load and store a pair at once whatever the machine's byte order.
std::uint16_t RawPair(unsigned char first, unsigned char second) {
    const unsigned char bytes[2] = {first, second};
    std::uint16_t raw = 0;
    std::memcpy(&raw, bytes, 2);
    return raw;
}

struct CPairTables {
    std::vector<std::uint16_t> m_jisOfSjis;     // Shift-JIS pair -> JIS pair, or kNoPair / kUnmappedPair
    std::vector<std::uint16_t> m_sjisOfJis;     // JIS pair (7-bit bytes) -> Shift-JIS pair, 0 when none
    std::vector<std::uint16_t> m_eucOfSjisRaw;  // raw Shift-JIS pair -> raw EUC pair, or kNoPair / kUnmappedPair
    std::vector<std::uint16_t> m_sjisOfEucRaw;  // raw EUC pair -> raw Shift-JIS pair, 0 when none

    CPairTables()
        : m_jisOfSjis(0x10000, kNoPair), m_sjisOfJis(0x10000, 0), m_eucOfSjisRaw(0x10000, kNoPair),
          m_sjisOfEucRaw(0x10000, 0) {
        for (unsigned lead = 0; lead < 0x100; ++lead) {
            if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0; trail < 0x100; ++trail) {
                if (!IsSjisTrailByte(static_cast<unsigned char>(trail))) continue;
                unsigned char first = 0;
                unsigned char second = 0;
                m_jisOfSjis[lead << 8 | trail] =
                    SjisPairToJis(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail), first, second)
                        ? static_cast<std::uint16_t>(first << 8 | second)
                        : kUnmappedPair;
            }
        }
        for (unsigned first = 0x21; first <= 0x7E; ++first) {
            for (unsigned second = 0x21; second <= 0x7E; ++second) {
                unsigned char lead = 0;
                unsigned char trail = 0;
                JisPairToSjis(static_cast<unsigned char>(first), static_cast<unsigned char>(second), lead, trail);
                m_sjisOfJis[first << 8 | second] = static_cast<std::uint16_t>(lead << 8 | trail);
                m_sjisOfEucRaw[RawPair(static_cast<unsigned char>(first | 0x80), static_cast<unsigned char>(second | 0x80))] =
                    RawPair(lead, trail);
            }
        }
        for (unsigned pair = 0; pair < 0x10000; ++pair) {
            const std::uint16_t jis = m_jisOfSjis[pair];
            m_eucOfSjisRaw[RawPair(static_cast<unsigned char>(pair >> 8), static_cast<unsigned char>(pair))] =
                jis > kUnmappedPair ? RawPair(static_cast<unsigned char>(jis >> 8 | 0x80), static_cast<unsigned char>(jis | 0x80))
                                    : jis;
        }
    }
};

const CPairTables& PairTables() {
    static const CPairTables tables;
    return tables;
}

std::uint16_t PairAt(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }
std::uint16_t RawPairAt(const unsigned char* p) {
    std::uint16_t raw = 0;
    std::memcpy(&raw, p, 2);
    return raw;
}
void PutRawPair(char*& o, std::uint16_t raw) {
    std::memcpy(o, &raw, 2);
    o += 2;
}


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
    const std::uint16_t* const sjisOfJis = PairTables().m_sjisOfJis.data();
    Convert(line, out, 1, [&](const unsigned char*& p, const unsigned char* stop, const unsigned char* end, char*& o) {
        std::size_t converted = 0;
        while (p < stop) {
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
                // Kanji come in runs: take the whole run here, pair by pair.
                // The table has no entry for a byte outside 0x21-0x7E.
                const unsigned char* const start = p;
                while (p < stop && end - p >= 2) {
                    const std::uint16_t sjis = sjisOfJis[PairAt(p)];
                    if (sjis == 0) break;
                    PutPair(o, sjis);
                    p += 2;
                }
                converted += static_cast<std::size_t>(p - start) / 2;
                if (p != start) continue;
                // No mapping: keep the first byte, try again from the second.
            } else if (state.m_bKana) {
                if (c >= 0x21 && c <= 0x5F) {
                    Put(o, static_cast<unsigned char>(c + 0x80));
                    ++p;
                    continue;
                }
            } else {
                // ASCII mode: this byte (perhaps an ESC that starts no known
                // sequence) and everything up to the next shift are copied.
                Put(o, c);
                ++p;
                while (p < stop && *p != kEsc && *p != kShiftOut && *p != kShiftIn) Put(o, *p++);
                continue;
            }
            // Controls and bytes outside the kana range stay what they are;
            // lifting them by 0x80 would turn a CR or a space into a lead byte.
            Put(o, c);
            ++p;
        }
        result.converted += converted;
    });
    return result;
}

LineConversion EucToSjis(std::string_view line, std::string& out) {
    LineConversion result;
    const std::uint16_t* const sjisOfEuc = PairTables().m_sjisOfEucRaw.data();
    Convert(line, out, 1, [&](const unsigned char*& p, const unsigned char* stop, const unsigned char* end, char*& o) {
        std::size_t converted = 0;
        while (p < stop) {
            const unsigned char c = *p;
            if (c < 0x80) {
                CopyAscii(p, stop, o);
                continue;
            }
            // Both bytes of an EUC pair have the top bit set (the table has
            // no entry otherwise); a 7-bit byte after a lone high byte is
            // ASCII and must not be swallowed.
            if (end - p >= 2) {
                const std::uint16_t sjis = sjisOfEuc[RawPairAt(p)];
                if (sjis != 0) {
                    PutRawPair(o, sjis);
                    ++converted;
                    p += 2;
                    continue;
                }
            }
            ++p;
            if (c == kSingleShift2) {
                if (p < end) Put(o, *p++);
            } else if (c != kSingleShift3) {
                Put(o, c);
            }
        }
        result.converted += converted;
    });
    return result;
}

LineConversion SjisToJis(std::string_view line, CJisState& state, std::string& out) {
    LineConversion result;
    const std::uint16_t* const jisOfSjis = PairTables().m_jisOfSjis.data();
    // An ASCII byte after kana and kanji: SI, ESC ( B and the byte.
    Convert(line, out, 5, [&](const unsigned char*& p, const unsigned char* stop, const unsigned char* end, char*& o) {
        std::size_t converted = 0;
        std::size_t unmapped = 0;
        CJisState mode = state;
        while (p < stop) {
            const unsigned char c = *p;
            if (IsHalfWidthKana(c)) {
                if (!mode.m_bKana) Put(o, kShiftOut);
                mode = CJisState{false, true};
                Put(o, static_cast<unsigned char>(c - 0x80));
                ++p;
                continue;
            }
            const std::uint16_t jis = c >= 0x80 && end - p >= 2 ? jisOfSjis[PairAt(p)] : kNoPair;
            if (jis > kUnmappedPair) {
                if (mode.m_bKana) Put(o, kShiftIn);
                if (!mode.m_bKanji) Put(o, kKanjiIn);
                mode = CJisState{true, false};
                PutPair(o, jis);
                ++converted;
                p += 2;
                continue;
            }
            ReturnToAscii(mode, o);
            Put(o, c);
            ++p;
            if (jis == kUnmappedPair) {
                Put(o, *p++);
                ++unmapped;
            }
        }
        state = mode;
        result.converted += converted;
        result.unmapped += unmapped;
    });
    char tail[8];
    char* o = tail;
    ReturnToAscii(state, o);
    out.append(tail, static_cast<std::size_t>(o - tail));
    return result;
}

LineConversion SjisToEuc(std::string_view line, std::string& out) {
    LineConversion result;
    const std::uint16_t* const eucOfSjis = PairTables().m_eucOfSjisRaw.data();
    Convert(line, out, 2, [&](const unsigned char*& p, const unsigned char* stop, const unsigned char* end, char*& o) {
        std::size_t converted = 0;
        std::size_t unmapped = 0;
        while (p < stop) {
            const unsigned char c = *p;
            if (c < 0x80) {
                CopyAscii(p, stop, o);
                continue;
            }
            const std::uint16_t euc = end - p >= 2 ? eucOfSjis[RawPairAt(p)] : kNoPair;
            if (euc > kUnmappedPair) {
                PutRawPair(o, euc);
                ++converted;
                p += 2;
                continue;
            }
            if (IsHalfWidthKana(c)) Put(o, kSingleShift2);
            Put(o, c);
            ++p;
            if (euc == kUnmappedPair) {
                Put(o, *p++);
                ++unmapped;
            }
        }
        result.converted += converted;
        result.unmapped += unmapped;
    });
    return result;
}

}  // namespace kelmio
