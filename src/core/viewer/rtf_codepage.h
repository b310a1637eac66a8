#pragma once
// Characters between RTF's byte text and the UTF-8 the rich-text model
// holds.
//
// RTF text bytes (raw or written as \'xx) are in the code page of the
// current font's character set, or the document's \ansicpg when the font
// names none. Japanese fonts (\fcharset128) mean code page 932, whose
// trail bytes include "\", "{" and "}"; the reader keeps a double-byte
// character's two bytes together before anything here decodes them.

#include <bitset>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

// Code pages with a meaning of their own besides the iconv ones.
constexpr int kCodePageSjis = 932;
constexpr int kCodePageWestern = 1252;
constexpr int kCodePageSymbol = 42;  // symbol fonts: byte b is U+F000 + b

constexpr int kCharsetAnsi = 0;
constexpr int kCharsetDefault = 1;
constexpr int kCharsetSymbol = 2;
constexpr int kCharsetShiftJis = 128;

// The code page of a \fcharset value; `documentCodePage` for the default
// character set and for values this program does not know.
int CodePageOfCharset(int charset, int documentCodePage);

// True for the Windows code pages this program reads. Others are taken as
// 1252. Not all of them read every ASCII byte as itself (864 reads "%" as
// the Arabic percent sign): see CRtfCodePages::KeepsAscii.
bool IsKnownCodePage(int codePage);

// True for the code pages in which a lead byte takes the next byte along.
bool IsDoubleByteCodePage(int codePage);
bool IsLeadByteIn(int codePage, unsigned char byte);
bool IsTrailByteIn(int codePage, unsigned char byte);

// UTF-8 helpers for the model's text, all tolerant of malformed input
// (a bad byte counts as one character).
// Surrogates and codes beyond U+10FFFF are written as U+FFFD.
void AppendValidUtf8(std::string& out, char32_t ch);
// The character at `pos`, advancing `pos` past it; U+FFFD for a bad byte.
char32_t NextUtf8(std::string_view text, std::size_t& pos);
std::size_t Utf8Length(std::string_view text);
// Byte offset of the character with index `index` (text size when beyond).
std::size_t Utf8Offset(std::string_view text, std::size_t index);

// Decoding and encoding with converters kept open for the life of the
// object (a reader or writer owns one), since RTF is converted in many
// short pieces.
class CRtfCodePages {
public:
    CRtfCodePages();
    ~CRtfCodePages();
    CRtfCodePages(const CRtfCodePages&) = delete;
    CRtfCodePages& operator=(const CRtfCodePages&) = delete;

    // `bytes` in `codePage` appended to `out` as UTF-8. Bytes that do not
    // form a character become U+FFFD; the return value counts them.
    std::size_t Decode(int codePage, std::string_view bytes, std::string& out);

    // The Shift-JIS bytes of `ch`, empty when it has none.
    std::string_view ToSjis(char32_t ch);

    // True when the ASCII byte `ch` (below 0x80) reads back in `codePage` as
    // the same character, so that a writer may put it out as it is.
    bool KeepsAscii(int codePage, char ch);

private:
    class CConverter;
    CConverter& ConverterFor(int codePage);

    std::map<int, std::unique_ptr<CConverter>> m_converters;
    std::map<int, std::bitset<0x80>> m_asciiKept;  // per code page, once worked out
    std::unique_ptr<CConverter> m_toSjis;
    // Shift-JIS form of each BMP character once looked up: 0 unknown yet,
    // 0xFFFF none, else the byte or lead * 256 + trail.
    std::vector<unsigned short> m_sjisOf;
    char m_sjisBytes[2] = {};  // what ToSjis returns a view of
};

}  // namespace kelmio
