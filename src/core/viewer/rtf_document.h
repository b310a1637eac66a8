#pragma once
// The rich-text model behind the source pane when it shows an RTF file:
// paragraphs of runs, each run with its character format, plus the font
// and colour tables the formats refer to.
//
// Text is held as UTF-8, not Shift-JIS: RTF carries any Unicode character
// through \uN, and a Shift-JIS model would turn those into "?" on the next
// save. Positions are counted in characters (code points), as the text
// control counts them; paragraphs are separated by one "\n".
//
// What the model does not understand is kept as RTF and written back
// unchanged: paragraph formatting words, unknown character formatting
// words, header groups (style sheet, document information...) and, inside
// the text, "kept runs" for pictures, objects, fields, bookmarks, table
// words and any other group or word. A kept group that shows something
// (picture, object, field, shape, footnote) takes one character position,
// U+FFFC, so the pane can show a placeholder; any other kept run takes none.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

// The character that stands for a kept picture, object or field.
inline constexpr std::string_view kRtfObjectChar = "\xEF\xBF\xBC";  // U+FFFC
// A line break inside a paragraph (\line).
inline constexpr std::string_view kRtfLineBreak = "\xE2\x80\xA8";   // U+2028

inline constexpr int kRtfDefaultHalfPoints = 24;  // what \plain sets: 12 points

struct CRtfColor {
    int m_nRed = 0;
    int m_nGreen = 0;
    int m_nBlue = 0;
    bool operator==(const CRtfColor&) const = default;
};

// One entry of the colour table. Entry 0 is usually "auto" (no colour).
struct CRtfColorEntry {
    std::optional<CRtfColor> m_color;  // empty: the reader's default colour
    std::string m_strExtra;            // theme words (\ctint...) kept as read
    bool operator==(const CRtfColorEntry&) const = default;
};

struct CRtfFont {
    int m_nNumber = 0;                 // the N of \fN
    std::string m_strFamily = "fnil";  // the family word without its "\"
    int m_nCharset = 0;                // \fcharsetN; 128 is Shift-JIS
    int m_nPitch = -1;                 // \fprqN; -1 when not given
    std::string m_strFace;             // UTF-8
    std::string m_strExtra;            // other words and groups of the entry, as RTF
    bool operator==(const CRtfFont&) const = default;
};

struct CRtfCharFormat {
    int m_nFont = 0;  // a font number (\fN), not a table index
    int m_nHalfPoints = kRtfDefaultHalfPoints;
    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderline = false;
    bool m_bStrikeOut = false;
    int m_nColor = 0;        // colour table index (\cfN); 0 is auto
    std::string m_strExtra;  // character words the model does not hold (\super, \lang1041...)
    bool operator==(const CRtfCharFormat&) const = default;
};

struct CRtfRun {
    std::string m_strText;  // UTF-8; kRtfObjectChar or empty for a kept run
    CRtfCharFormat m_format;
    std::string m_strKept;  // the RTF of a kept run, written back as it is

    bool IsKept() const { return !m_strKept.empty(); }
    bool operator==(const CRtfRun&) const = default;
};

struct CRtfParagraph {
    std::string m_strProps;        // formatting words written after \pard ("\qc\sa200")
    std::vector<CRtfRun> m_runs;
    std::string m_strEnd;  // the word ending it (par, cell, row...); empty for the last
    bool operator==(const CRtfParagraph&) const = default;
};

// A format as the pane shows it: table entries resolved.
struct CRtfShownFormat {
    std::string m_strFace;  // UTF-8; empty when the font is not in the table
    int m_nCharset = 0;
    int m_nHalfPoints = kRtfDefaultHalfPoints;
    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderline = false;
    bool m_bStrikeOut = false;
    std::optional<CRtfColor> m_color;  // empty: default text colour
    bool operator==(const CRtfShownFormat&) const = default;
};

// A change of format over a range: what is set changes, the rest stays.
struct CRtfFormatChange {
    std::optional<bool> m_bBold;
    std::optional<bool> m_bItalic;
    std::optional<bool> m_bUnderline;
    std::optional<bool> m_bStrikeOut;
    std::optional<std::string> m_strFace;  // UTF-8, with m_nCharset
    int m_nCharset = 128;
    std::optional<int> m_nHalfPoints;
    std::optional<CRtfColor> m_color;
    bool m_bAutoColor = false;  // back to the default colour (m_color unset)
};

struct CRtfDocument {
    int m_nCodePage = 932;  // \ansicpgN
    int m_nDefaultFont = 0;  // \deffN
    std::vector<CRtfFont> m_fonts;
    std::vector<CRtfColorEntry> m_colors;
    std::string m_strHeaderWords;             // other document words (\deflang, \viewkind...)
    std::vector<std::string> m_headerGroups;  // style sheet, information... as RTF
    std::vector<CRtfParagraph> m_paragraphs{1};

    bool operator==(const CRtfDocument&) const = default;

    const CRtfFont* FindFont(int number) const;
    // The number of the font with that face and character set, added to the
    // table when it is not there yet.
    int FontNumberFor(std::string_view face, int charset);
    // The colour table index of `color`, added when not there yet.
    int ColorIndexFor(const CRtfColor& color);

    // The text of all paragraphs, separated by "\n" (UTF-8).
    std::string PlainText() const;
    // Characters in PlainText().
    std::size_t Length() const;

    // The format of the character at `pos`; at the end of a paragraph, of
    // the character before it.
    CRtfCharFormat FormatAt(std::size_t pos) const;
    CRtfShownFormat Shown(const CRtfCharFormat& format) const;

    // Applies `change` to the characters in [begin, end), splitting runs.
    void ApplyFormat(std::size_t begin, std::size_t end, const CRtfFormatChange& change);
    // Inserts UTF-8 text at `pos` in the format of the character before it;
    // "\n" starts a new paragraph with the same paragraph formatting.
    void InsertText(std::size_t pos, std::string_view utf8);
    // Removes the characters in [begin, end), joining paragraphs when the
    // range covers a break. Kept runs that take no position stay.
    void DeleteText(std::size_t begin, std::size_t end);

    // Adds text in `format` to the end of `paragraph`, joining it to the last
    // run when that has the same format.
    static void AppendText(CRtfParagraph& paragraph, std::string_view utf8, const CRtfCharFormat& format);
};

}  // namespace kelmio
