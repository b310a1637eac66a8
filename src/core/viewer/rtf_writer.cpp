#include "viewer/rtf_writer.h"

#include <string_view>

#include "viewer/rtf_codepage.h"

namespace kelmio {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether RTF put out as it stands ends in a control word, which text
// after it must be kept apart from.
bool EndsInControlWord(std::string_view rtf) {
    const std::size_t slash = rtf.rfind('\\');
    if (slash == std::string_view::npos || slash + 1 >= rtf.size() || !IsLetter(rtf[slash + 1])) return false;
    for (const char c : rtf.substr(slash + 1)) {
        if (!IsLetter(c) && !(c >= '0' && c <= '9') && c != '-') return false;
    }
    return true;
}

// A kept \binN with its data, which ends the piece whatever its bytes are.
bool IsBinaryPiece(std::string_view rtf) {
    return rtf.starts_with("\\bin") && (rtf.size() == 4 || !IsLetter(rtf[4]));
}

bool HasWordStarting(std::string_view words, std::string_view prefix) {
    for (std::size_t pos = words.find('\\'); pos != std::string_view::npos; pos = words.find('\\', pos + 1)) {
        if (words.substr(pos + 1).starts_with(prefix)) return true;
    }
    return false;
}

class CWriter {
public:
    explicit CWriter(const CRtfDocument& document) : m_doc(document) {}

    std::string Write();

private:
    // A control word; the next text gets a delimiting space.
    void Word(std::string_view word, long long param);
    void Word(std::string_view word);
    // RTF put out as it stands (escapes, groups, kept pieces).
    void Raw(std::string_view rtf);
    void TextChar(char ch);
    void Hex(unsigned char byte);
    void Unicode(char32_t ch);
    // `inText` false for a font name, where only bytes and \u are read.
    void Characters(std::string_view utf8, int codePage, bool inText = true);

    void FontTable();
    void ColorTable();
    void Paragraph(const CRtfParagraph& paragraph);
    void Format(const CRtfCharFormat& format);
    int CodePageOf(const CRtfCharFormat& format) const;

    const CRtfDocument& m_doc;
    CRtfCodePages m_codePages;
    std::string m_out;
    bool m_bDelimit = false;
    CRtfCharFormat m_written;  // the format in force at the end of the output
};

void CWriter::Word(std::string_view word, long long param) {
    Word(word);
    m_out += std::to_string(param);
}

void CWriter::Word(std::string_view word) {
    m_out += '\\';
    m_out += word;
    m_bDelimit = true;
}

void CWriter::Raw(std::string_view rtf) {
    m_out += rtf;
    m_bDelimit = EndsInControlWord(rtf);
}

void CWriter::TextChar(char ch) {
    // Only what could continue a control word needs a space before it.
    if (m_bDelimit && (IsLetter(ch) || (ch >= '0' && ch <= '9') || ch == '-' || ch == ' ')) m_out += ' ';
    m_bDelimit = false;
    m_out += ch;
}

void CWriter::Hex(unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    m_out += "\\'";
    m_out += kDigits[byte >> 4];
    m_out += kDigits[byte & 0x0F];
    m_bDelimit = false;
}

void CWriter::Unicode(char32_t ch) {
    const auto unit = [&](char32_t value) {
        Word("u", value > 0x7FFF ? static_cast<long long>(value) - 0x10000 : static_cast<long long>(value));
        m_out += '?';  // the fallback \uc1 skips
        m_bDelimit = false;
    };
    if (ch > 0xFFFF) {
        ch -= 0x10000;
        unit(0xD800 + (ch >> 10));
        unit(0xDC00 + (ch & 0x3FF));
    } else {
        unit(ch);
    }
}

void CWriter::Characters(std::string_view utf8, int codePage, bool inText) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t ch = NextUtf8(utf8, pos);
        if (codePage == kCodePageSymbol && ch >= 0x20 && ch < 0x80) {
            Unicode(ch);  // a symbol font's bytes stand for U+F0xx, not for ASCII
        } else if (ch < 0x80 && !m_codePages.KeepsAscii(codePage, static_cast<char>(ch))) {
            Unicode(ch);  // this code page reads the byte as another character
        } else if (ch == '\\' || ch == '{' || ch == '}') {
            m_out += '\\';
            m_out += static_cast<char>(ch);
            m_bDelimit = false;
        } else if (!inText && (ch == '\t' || ch == 0x2028 || ch == 0x00A0 || ch == 0x00AD || ch == 0x2011)) {
            Unicode(ch);
        } else if (ch == '\t') {
            Word("tab");
        } else if (ch == 0x2028) {
            Word("line");
        } else if (ch == 0x00A0) {
            Raw("\\~");
        } else if (ch == 0x00AD) {
            Raw("\\-");
        } else if (ch == 0x2011) {
            Raw("\\_");
        } else if (ch < 0x20 || ch == 0x7F) {
            Hex(static_cast<unsigned char>(ch));
        } else if (ch < 0x80) {
            TextChar(static_cast<char>(ch));
        } else if (codePage == kCodePageSymbol && ch >= 0xF020 && ch <= 0xF0FF) {
            Hex(static_cast<unsigned char>(ch - 0xF000));
        } else if (const std::string_view sjis = codePage == kCodePageSjis ? m_codePages.ToSjis(ch) : std::string_view();
                   !sjis.empty()) {
            for (const char byte : sjis) Hex(static_cast<unsigned char>(byte));
        } else {
            Unicode(ch);
        }
    }
}

int CWriter::CodePageOf(const CRtfCharFormat& format) const {
    const CRtfFont* font = m_doc.FindFont(format.m_nFont);
    return CodePageOfCharset(font != nullptr ? font->m_nCharset : kCharsetDefault, m_doc.m_nCodePage);
}

void CWriter::FontTable() {
    Raw("{");
    Word("fonttbl");
    for (const CRtfFont& font : m_doc.m_fonts) {
        Raw("{");
        Word("f", font.m_nNumber);
        Word(font.m_strFamily);
        Word("fcharset", font.m_nCharset);
        if (font.m_nPitch >= 0) Word("fprq", font.m_nPitch);
        if (!font.m_strExtra.empty()) Raw(font.m_strExtra);
        std::string face = font.m_strFace;
        const int codePage = CodePageOfCharset(font.m_nCharset, m_doc.m_nCodePage);
        // ";" ends the name, so one inside it goes out as a byte.
        std::size_t start = 0;
        for (std::size_t semicolon = face.find(';'); semicolon != std::string::npos; semicolon = face.find(';', start)) {
            Characters(std::string_view(face).substr(start, semicolon - start), codePage, false);
            Hex(';');
            start = semicolon + 1;
        }
        Characters(std::string_view(face).substr(start), codePage, false);
        Raw(";}");
    }
    Raw("}");
}

void CWriter::ColorTable() {
    Raw("{");
    Word("colortbl");
    for (const CRtfColorEntry& entry : m_doc.m_colors) {
        if (!entry.m_strExtra.empty()) Raw(entry.m_strExtra);
        if (entry.m_color) {
            Word("red", entry.m_color->m_nRed);
            Word("green", entry.m_color->m_nGreen);
            Word("blue", entry.m_color->m_nBlue);
        }
        TextChar(';');
    }
    Raw("}");
}

void CWriter::Format(const CRtfCharFormat& format) {
    if (format == m_written) return;
    Word("plain");
    Word("f", format.m_nFont);
    if (format.m_nHalfPoints != kRtfDefaultHalfPoints) Word("fs", format.m_nHalfPoints);
    // Kept words first: an underline kind among them would otherwise
    // override the model's own underline and strike-out flags.
    if (!format.m_strExtra.empty()) Raw(format.m_strExtra);
    if (format.m_bBold) Word("b");
    if (format.m_bItalic) Word("i");
    if (format.m_bUnderline) Word("ul");
    else if (HasWordStarting(format.m_strExtra, "ul")) Word("ulnone");
    if (format.m_bStrikeOut) Word("strike");
    else if (HasWordStarting(format.m_strExtra, "striked")) Word("strike", 0);
    if (format.m_nColor != 0) Word("cf", format.m_nColor);
    m_written = format;
}

void CWriter::Paragraph(const CRtfParagraph& paragraph) {
    Word("pard");
    if (!paragraph.m_strProps.empty()) Raw(paragraph.m_strProps);
    for (const CRtfRun& run : paragraph.m_runs) {
        Format(run.m_format);
        if (run.IsKept()) {
            Raw(run.m_strKept);
            if (IsBinaryPiece(run.m_strKept)) m_bDelimit = false;
        }
        else Characters(run.m_strText, CodePageOf(run.m_format));
    }
    if (!paragraph.m_strEnd.empty()) {
        Word(paragraph.m_strEnd);
        m_out += "\r\n";
        m_bDelimit = false;
    }
}

std::string CWriter::Write() {
    m_written.m_nFont = m_doc.m_nDefaultFont;  // what the reader starts from
    Raw("{");
    Word("rtf", 1);
    Word("ansi");
    Word("ansicpg", m_doc.m_nCodePage);
    Word("deff", m_doc.m_nDefaultFont);
    FontTable();
    if (!m_doc.m_colors.empty()) ColorTable();
    for (const std::string& group : m_doc.m_headerGroups) Raw(group);
    if (!m_doc.m_strHeaderWords.empty()) Raw(m_doc.m_strHeaderWords);
    Word("uc", 1);
    m_out += "\r\n";
    m_bDelimit = false;
    for (const CRtfParagraph& paragraph : m_doc.m_paragraphs) Paragraph(paragraph);
    Raw("}");
    return std::move(m_out);
}

}  // namespace

std::string WriteRtf(const CRtfDocument& document) { return CWriter(document).Write(); }

}  // namespace kelmio
