#pragma once
// The RTF reader's inner workings, shared by its two source files: the
// text of the document (rtf_reader.cpp) and the font and colour tables
// (rtf_reader_tables.cpp). Not for use outside the reader.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/rtf_codepage.h"
#include "viewer/rtf_reader.h"
#include "viewer/rtf_tokenizer.h"

namespace kelmio {

enum class ERtfDest { Body, FontTable, ColorTable };

// What a group changes and restores when it closes.
struct CRtfParserState {
    ERtfDest m_dest = ERtfDest::Body;
    CRtfCharFormat m_format;
    std::string m_strProps;
    int m_nUc = 1;  // bytes of fallback after each \uN
};

// One pass over the tokens with an explicit stack of group states, so no
// input can nest the reader into a stack overflow.
class CRtfParser {
public:
    explicit CRtfParser(std::string_view bytes) : m_tokens(bytes) {}

    CRtfReadResult Run();

private:
    CRtfParserState& State() { return m_stack.back(); }
    CRtfParagraph& Paragraph() { return m_result.m_document.m_paragraphs.back(); }
    CRtfDocument& Doc() { return m_result.m_document; }
    void Loss(ERtfLoss loss);
    int CodePage();

    void OnToken(const CRtfToken& token);
    bool SkipFallback(CRtfToken& token);
    void OnGroupOpen();
    void OnGroupClose();
    void OnBodyWord(const CRtfToken& token);
    void OnFormatWord(const CRtfToken& token);
    void OnSymbol(const CRtfToken& token);
    void OnText(std::string_view bytes);
    void OnTableText(std::string_view bytes);
    void OnUnicode(int value);
    void OnFontWord(const CRtfToken& token);
    void OnColorWord(const CRtfToken& token);

    void AddByte(unsigned char byte);
    void FlushBytes();
    void AppendChar(char32_t ch);
    void AppendText(std::string_view utf8);
    void ResolveSurrogate();
    void EndParagraph(std::string_view word);
    void Finish();
    void KeepInline(std::string raw, bool visible);
    std::optional<std::string> KeepGroup(std::size_t start);
    void KeepRestOfGroup(std::size_t start, bool visible);
    bool AddWord(std::string& words, std::string_view raw, bool replaceSameName);
    void DecodeFace();
    void FinishFont();
    void FinishColor();

    CRtfTokenizer m_tokens;
    CRtfReadResult m_result;
    std::vector<CRtfParserState> m_stack;
    CRtfCodePages m_codePages;
    std::string m_bytes;  // text bytes not yet decoded, all in CodePage()
    bool m_bPendingLead = false;
    char32_t m_highSurrogate = 0;
    int m_nSkip = 0;
    bool m_bBody = false;  // past the header: words go into the text
    bool m_bCodePageGiven = false;
    bool m_bDone = false;
    std::optional<CRtfFont> m_font;  // the font table entry being read
    std::string m_faceBytes;  // face name bytes not yet decoded
    std::string m_faceText;   // face name decoded so far (UTF-8)
    char32_t m_faceHigh = 0;  // a face's high surrogate waiting for its low half
    bool m_bFaceDone = false;
    int m_nFlat = 0;  // groups opened past kMaxRtfDepth, read as if not there
    CRtfColorEntry m_color;
    bool m_bColorUsed = false;
    // CodePage() for the last font asked about; text asks once per byte.
    int m_nCachedFont = -1;
    std::size_t m_nCachedFontCount = 0;
    int m_nCachedDocPage = 0;
    int m_nCachedCodePage = kCodePageWestern;
};

}  // namespace kelmio
