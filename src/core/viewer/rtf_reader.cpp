#include "viewer/rtf_reader.h"

#include <algorithm>
#include <utility>

#include "text/cp932.h"
#include "viewer/rtf_parser.h"
#include "viewer/rtf_words.h"

namespace kelmio {
namespace {

// The letters of a control word written as "\name123".
std::string_view WordName(std::string_view raw) {
    std::size_t end = 1;
    while (end < raw.size() && ((raw[end] >= 'a' && raw[end] <= 'z') || (raw[end] >= 'A' && raw[end] <= 'Z'))) ++end;
    return raw.substr(1, end - 1);
}

}  // namespace

void CRtfParser::Loss(ERtfLoss loss) {
    auto& losses = m_result.m_losses;
    if (std::find(losses.begin(), losses.end(), loss) == losses.end()) losses.push_back(loss);
}

int CRtfParser::CodePage() {
    const CRtfDocument& doc = Doc();
    const int number = State().m_format.m_nFont;
    if (number != m_nCachedFont || doc.m_fonts.size() != m_nCachedFontCount || doc.m_nCodePage != m_nCachedDocPage) {
        const CRtfFont* font = doc.FindFont(number);
        m_nCachedCodePage = CodePageOfCharset(font != nullptr ? font->m_nCharset : kCharsetDefault, doc.m_nCodePage);
        m_nCachedFont = number;
        m_nCachedFontCount = doc.m_fonts.size();
        m_nCachedDocPage = doc.m_nCodePage;
    }
    return m_nCachedCodePage;
}

CRtfReadResult CRtfParser::Run() {
    const std::string_view input = m_tokens.Input();
    const std::size_t first = input.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || input.substr(first, 5) != "{\\rtf") {
        m_result.m_error = ERtfReadError::NotRtf;
        return std::move(m_result);
    }
    Doc().m_nCodePage = kCodePageWestern;  // until \ansicpg says otherwise
    while (!m_bDone) {
        CRtfToken token = m_tokens.Next();
        if (token.m_kind == ERtfToken::End) break;
        if (m_stack.empty() && token.m_kind != ERtfToken::GroupOpen) continue;
        if (SkipFallback(token)) continue;
        OnToken(token);
    }
    if (!m_bDone) {
        m_result.m_bTruncated = true;
        Finish();
    } else if (input.substr(m_tokens.Position()).find_first_not_of(std::string_view(" \t\r\n\0", 5)) !=
               std::string_view::npos) {
        Loss(ERtfLoss::TrailingContent);
    }
    return std::move(m_result);
}

// Drops what follows \uN as its fallback; true when `token` is used up.
bool CRtfParser::SkipFallback(CRtfToken& token) {
    if (m_nSkip == 0) return false;
    switch (token.m_kind) {
    case ERtfToken::GroupOpen:
    case ERtfToken::GroupClose:
        m_nSkip = 0;
        return false;
    case ERtfToken::Text: {
        const std::size_t dropped = std::min<std::size_t>(static_cast<std::size_t>(m_nSkip), token.m_name.size());
        m_nSkip -= static_cast<int>(dropped);
        token.m_name.remove_prefix(dropped);
        return token.m_name.empty();
    }
    case ERtfToken::Word:
        if (token.m_name == "bin" && token.m_bHasParam) m_tokens.TakeBinary(token.m_nParam);
        --m_nSkip;
        return true;
    default:
        --m_nSkip;
        return true;
    }
}

void CRtfParser::OnToken(const CRtfToken& token) {
    const ERtfDest dest = m_stack.empty() ? ERtfDest::Body : State().m_dest;
    switch (token.m_kind) {
    case ERtfToken::GroupOpen: OnGroupOpen(); break;
    case ERtfToken::GroupClose: OnGroupClose(); break;
    case ERtfToken::Word:
        if (dest == ERtfDest::FontTable) OnFontWord(token);
        else if (dest == ERtfDest::ColorTable) OnColorWord(token);
        else OnBodyWord(token);
        break;
    case ERtfToken::Symbol:
        if (dest == ERtfDest::Body) OnSymbol(token);
        else if (dest == ERtfDest::FontTable && (token.m_chSymbol == '\\' || token.m_chSymbol == '{' ||
                                              token.m_chSymbol == '}')) OnText(std::string_view(&token.m_chSymbol, 1));
        break;
    case ERtfToken::HexByte:
        if (dest == ERtfDest::Body) AddByte(token.m_byte);
        else if (dest == ERtfDest::FontTable && !m_bFaceDone) m_faceBytes += static_cast<char>(token.m_byte);
        break;
    case ERtfToken::Text: OnText(token.m_name); break;
    case ERtfToken::End: break;
    }
}

void CRtfParser::OnGroupOpen() {
    const std::size_t start = m_tokens.Position() - 1;
    if (m_stack.empty()) {
        m_stack.emplace_back();
        return;
    }
    FlushBytes();
    // A destination is named by the group's first word, after an optional \*.
    CRtfTokenizer peek = m_tokens;
    CRtfToken first = peek.Next();
    const bool star = first.m_kind == ERtfToken::Symbol && first.m_chSymbol == '*';
    if (star) first = peek.Next();
    const std::string_view name = first.m_kind == ERtfToken::Word ? first.m_name : std::string_view();
    const ERtfDest dest = State().m_dest;

    if (dest == ERtfDest::FontTable && (star || IsRtfFontSubGroup(name))) {
        if (auto raw = KeepGroup(start)) {
            if (!m_font) m_font.emplace();
            m_font->m_strExtra += *raw;
        }
        return;
    }
    if (dest == ERtfDest::ColorTable) {
        if (auto raw = KeepGroup(start)) {
            m_color.m_strExtra += *raw;
            m_bColorUsed = true;
        }
        return;
    }
    if (dest == ERtfDest::Body && (name == "fonttbl" || name == "colortbl") && !star) {
        m_tokens = peek;
        m_stack.push_back(State());
        State().m_dest = name == "fonttbl" ? ERtfDest::FontTable : ERtfDest::ColorTable;
        return;
    }
    const ERtfWordKind kind = dest == ERtfDest::Body ? ClassifyRtfWord(name) : ERtfWordKind::Other;
    if (kind == ERtfWordKind::HeaderGroup || (star && !m_bBody)) {
        if (auto raw = KeepGroup(start)) Doc().m_headerGroups.push_back(std::move(*raw));
        return;
    }
    if (star || kind == ERtfWordKind::HiddenGroup || kind == ERtfWordKind::VisibleGroup) {
        if (auto raw = KeepGroup(start)) KeepInline(std::move(*raw), kind == ERtfWordKind::VisibleGroup);
        return;
    }
    if (dest == ERtfDest::Body) m_bBody = true;
    if (dest == ERtfDest::FontTable) m_bFaceDone = false;  // a new entry
    if (m_stack.size() >= static_cast<std::size_t>(kMaxRtfDepth)) {
        ++m_nFlat;
        return;
    }
    m_stack.push_back(State());
}

void CRtfParser::OnGroupClose() {
    const ERtfDest dest = State().m_dest;
    FlushBytes();
    if (m_nFlat > 0) {
        --m_nFlat;
        return;
    }
    const bool leavingTable = m_stack.size() < 2 || m_stack[m_stack.size() - 2].m_dest != dest;
    if (dest == ERtfDest::FontTable) FinishFont();
    if (dest == ERtfDest::ColorTable && leavingTable && m_bColorUsed) FinishColor();
    if (m_stack.size() == 1) {
        Finish();
        m_bDone = true;
        return;
    }
    m_stack.pop_back();
}

void CRtfParser::OnBodyWord(const CRtfToken& token) {
    const std::string_view name = token.m_name;
    const int param = token.m_nParam;
    CRtfDocument& doc = Doc();
    if (name == "rtf") return;
    if (name == "ansi" || name == "mac" || name == "pc" || name == "pca") {
        if (!m_bCodePageGiven) doc.m_nCodePage = name == "ansi" ? 1252 : name == "mac" ? 10000 : name == "pc" ? 437 : 850;
        return;
    }
    if (name == "ansicpg") {
        if (IsKnownCodePage(param)) {
            doc.m_nCodePage = param;
            m_bCodePageGiven = true;
        }
        return;
    }
    if (name == "deff") {
        doc.m_nDefaultFont = std::max(param, 0);
        if (!m_bBody) State().m_format.m_nFont = doc.m_nDefaultFont;
        return;
    }
    if (name == "uc") {
        State().m_nUc = std::clamp(param, 0, 255);
        return;
    }
    if (name == "u") {
        OnUnicode(param);
        return;
    }
    if (IsRtfParagraphEnd(name)) {
        EndParagraph(name);
        return;
    }
    if (name == "line" || name == "tab") {
        AppendChar(name == "tab" ? U'\t' : U'\u2028');
        return;
    }
    if (const auto ch = RtfSymbolWordChar(name)) {
        AppendChar(*ch);
        return;
    }
    if (name == "bin") {
        const long long wanted = token.m_bHasParam ? std::max(param, 0) : 0;
        const std::string_view data = m_tokens.TakeBinary(wanted);
        if (static_cast<long long>(data.size()) < wanted) {
            // The data runs past the end of the file: it cannot be written
            // back as it was.
            m_result.m_bTruncated = true;
            Loss(ERtfLoss::CutGroup);
            return;
        }
        KeepInline(std::string(token.m_raw) + " " + std::string(data), false);
        return;
    }
    const ERtfWordKind kind = ClassifyRtfWord(name);
    if (kind == ERtfWordKind::HiddenGroup || kind == ERtfWordKind::VisibleGroup) {
        // A destination word in the middle of a group makes the rest of the
        // group that destination.
        KeepRestOfGroup(static_cast<std::size_t>(token.m_raw.data() - m_tokens.Input().data()),
                        kind == ERtfWordKind::VisibleGroup);
        return;
    }
    OnFormatWord(token);
}

void CRtfParser::OnFormatWord(const CRtfToken& token) {
    const std::string_view name = token.m_name;
    const bool on = !token.m_bHasParam || token.m_nParam != 0;
    const int param = token.m_nParam;
    FlushBytes();
    CRtfParserState& state = State();
    CRtfCharFormat& format = state.m_format;
    const ERtfWordKind kind = ClassifyRtfWord(name);
    if (name == "plain") {
        format = CRtfCharFormat();
        format.m_nFont = Doc().m_nDefaultFont;
    } else if (name == "pard") {
        state.m_strProps.clear();
    } else if (name == "f") {
        format.m_nFont = token.m_bHasParam ? param : 0;
    } else if (name == "fs") {
        format.m_nHalfPoints = token.m_bHasParam ? std::clamp(param, 1, 3276) : kRtfDefaultHalfPoints;
    } else if (name == "b") {
        format.m_bBold = on;
    } else if (name == "i") {
        format.m_bItalic = on;
    } else if (name == "ul") {
        format.m_bUnderline = on;
    } else if (name == "ulnone") {
        format.m_bUnderline = false;
    } else if (name == "strike") {
        format.m_bStrikeOut = on;
    } else if (name == "cf") {
        format.m_nColor = std::max(param, 0);
    } else if (kind == ERtfWordKind::CharExtra) {
        if (AddWord(format.m_strExtra, token.m_raw, true)) {
            if (name == "striked") format.m_bStrikeOut = on;
            else if (name.starts_with("ul") && name != "ulc") format.m_bUnderline = on;
        }
    } else if (kind == ERtfWordKind::Paragraph) {
        AddWord(state.m_strProps, token.m_raw, false);
    } else if (!m_bBody) {
        Doc().m_strHeaderWords += token.m_raw;
        return;
    } else {
        KeepInline(std::string(token.m_raw), false);
        return;
    }
    m_bBody = true;
}

void CRtfParser::OnSymbol(const CRtfToken& token) {
    switch (token.m_chSymbol) {
    case '\\':
    case '{':
    case '}': AddByte(static_cast<unsigned char>(token.m_chSymbol)); break;
    case '~': AppendChar(0x00A0); break;
    case '-': AppendChar(0x00AD); break;
    case '_': AppendChar(0x2011); break;
    case '\n':
    case '\r': EndParagraph("par"); break;
    case '*': break;  // only meaningful at the start of a group
    case '\'': Loss(ERtfLoss::BadCharacters); break;  // \' without two hex digits
    default: KeepInline(std::string(token.m_raw), false); break;
    }
}

void CRtfParser::OnText(std::string_view bytes) {
    if (State().m_dest != ERtfDest::Body) {
        OnTableText(bytes);
        return;
    }
    // Blanks between the header's groups are layout, not text.
    if (!m_bBody && bytes.find_first_not_of(" \t") == std::string_view::npos) return;
    for (const char c : bytes) AddByte(static_cast<unsigned char>(c));
    const int codePage = CodePage();
    unsigned char trail = 0;
    if (m_bPendingLead && m_tokens.TakeTrailByte(trail, codePage)) AddByte(trail);
}

void CRtfParser::OnUnicode(int value) {
    FlushBytes();
    m_nSkip = State().m_nUc;
    const long long code = value < 0 ? static_cast<long long>(value) + 65536 : value;
    if (code < 0 || code > 0xFFFF) {
        Loss(ERtfLoss::BadCharacters);
        AppendChar(0xFFFD);
        return;
    }
    const auto ch = static_cast<char32_t>(code);
    if (ch >= 0xDC00 && ch <= 0xDFFF && m_highSurrogate != 0) {
        const char32_t full = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (ch - 0xDC00);
        m_highSurrogate = 0;
        AppendChar(full);
        return;
    }
    ResolveSurrogate();
    if (ch >= 0xD800 && ch <= 0xDBFF) {
        m_highSurrogate = ch;
        return;
    }
    if (ch >= 0xDC00 && ch <= 0xDFFF) {
        Loss(ERtfLoss::BadCharacters);
        AppendChar(0xFFFD);
        return;
    }
    AppendChar(ch);
}

void CRtfParser::AddByte(unsigned char byte) {
    if (m_bPendingLead) m_bPendingLead = false;
    else m_bPendingLead = IsLeadByteIn(CodePage(), byte);
    m_bytes += static_cast<char>(byte);
}

void CRtfParser::FlushBytes() {
    if (m_bytes.empty()) return;
    std::string text;
    if (m_codePages.Decode(CodePage(), m_bytes, text) > 0) Loss(ERtfLoss::BadCharacters);
    m_bytes.clear();
    m_bPendingLead = false;
    AppendText(text);
}

void CRtfParser::AppendChar(char32_t ch) {
    std::string text;
    AppendValidUtf8(text, ch);
    FlushBytes();
    AppendText(text);
}

void CRtfParser::AppendText(std::string_view utf8) {
    ResolveSurrogate();
    m_bBody = true;
    CRtfDocument::AppendText(Paragraph(), utf8, State().m_format);
}

// A high surrogate not followed by its low half.
void CRtfParser::ResolveSurrogate() {
    if (m_highSurrogate == 0) return;
    m_highSurrogate = 0;
    Loss(ERtfLoss::BadCharacters);
    CRtfDocument::AppendText(Paragraph(), "\xEF\xBF\xBD", State().m_format);
}

void CRtfParser::EndParagraph(std::string_view word) {
    FlushBytes();
    ResolveSurrogate();
    m_bBody = true;
    Paragraph().m_strProps = State().m_strProps;
    Paragraph().m_strEnd = word;
    Doc().m_paragraphs.emplace_back();
}

void CRtfParser::Finish() {
    if (m_stack.empty()) return;
    if (State().m_dest != ERtfDest::Body) {
        // Cut off inside the font or colour table: keep what was complete.
        FinishFont();
        if (m_bColorUsed) FinishColor();
        while (m_stack.size() > 1 && State().m_dest != ERtfDest::Body) m_stack.pop_back();
    }
    FlushBytes();
    ResolveSurrogate();
    Paragraph().m_strProps = State().m_strProps;
    Paragraph().m_strEnd.clear();
}

void CRtfParser::KeepInline(std::string raw, bool visible) {
    FlushBytes();
    ResolveSurrogate();
    m_bBody = true;
    Paragraph().m_runs.push_back({visible ? std::string(kRtfObjectChar) : std::string(), State().m_format, std::move(raw)});
}

std::optional<std::string> CRtfParser::KeepGroup(std::size_t start) {
    if (!m_tokens.SkipGroup()) {
        m_result.m_bTruncated = true;
        Loss(ERtfLoss::CutGroup);
        return std::nullopt;
    }
    return std::string(m_tokens.Input().substr(start, m_tokens.Position() - start));
}

void CRtfParser::KeepRestOfGroup(std::size_t start, bool visible) {
    if (!m_tokens.SkipGroup()) {
        m_result.m_bTruncated = true;
        Loss(ERtfLoss::CutGroup);
        return;
    }
    // Everything up to the group's closing brace, which then closes it. The
    // piece is kept as a group of its own so that it stays one on rereading.
    const std::string_view rest = m_tokens.Input().substr(start, m_tokens.Position() - 1 - start);
    KeepInline("{" + std::string(rest) + "}", visible);
    OnGroupClose();
}

bool CRtfParser::AddWord(std::string& words, std::string_view raw, bool replaceSameName) {
    if (replaceSameName) {
        const std::string_view name = WordName(raw);
        std::string kept;
        std::size_t pos = 0;
        while (pos < words.size()) {
            std::size_t next = words.find('\\', pos + 1);
            if (next == std::string::npos) next = words.size();
            const std::string_view word = std::string_view(words).substr(pos, next - pos);
            if (WordName(word) != name) kept += word;
            pos = next;
        }
        words = std::move(kept);
    }
    if (words.size() + raw.size() > kMaxRtfKeptWords) {
        Loss(ERtfLoss::LongFormatting);
        return false;
    }
    words += raw;
    return true;
}

CRtfReadResult ReadRtf(std::string_view bytes) { return CRtfParser(bytes).Run(); }

std::string CRtfReadResult::UnkeptDescription() const {
    std::string text;
    for (const ERtfLoss loss : m_losses) {
        switch (loss) {
        case ERtfLoss::CutGroup: text += "ファイルの途中で切れている図・表などのグループ\n"; break;
        case ERtfLoss::TrailingContent: text += "文書の終わりの後にある内容\n"; break;
        case ERtfLoss::BadCharacters: text += "文字として読めないバイト\n"; break;
        case ERtfLoss::LongFormatting: text += "長すぎる書式指定\n"; break;
        }
    }
    return SjisText(text);
}

}  // namespace kelmio
