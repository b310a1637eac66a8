#include <algorithm>
#include <utility>

#include "viewer/rtf_parser.h"

namespace kelmio {
namespace {

bool IsFontFamily(std::string_view name) {
    return name == "fnil" || name == "froman" || name == "fswiss" || name == "fmodern" || name == "fscript" ||
           name == "fdecor" || name == "ftech" || name == "fbidi";
}

}  // namespace

void CRtfParser::OnFontWord(const CRtfToken& token) {
    const std::string_view name = token.m_name;
    if (name == "f") {
        if (m_font && !m_faceBytes.empty()) FinishFont();
        if (!m_font) m_font.emplace();
        m_font->m_nNumber = std::max(token.m_nParam, 0);
        m_bFaceDone = false;
        return;
    }
    if (!m_font) m_font.emplace();
    if (IsFontFamily(name)) m_font->m_strFamily = name;
    else if (name == "fcharset") m_font->m_nCharset = std::clamp(token.m_nParam, 0, 255);
    else if (name == "fprq") m_font->m_nPitch = std::clamp(token.m_nParam, 0, 15);
    else if (name == "u") {
        DecodeFace();
        m_nSkip = State().m_nUc;
        const long long code = token.m_nParam < 0 ? token.m_nParam + 65536LL : token.m_nParam;
        char32_t ch = code < 0 || code > 0xFFFF ? 0xD800 : static_cast<char32_t>(code);  // bad as a lone half
        if (ch >= 0xDC00 && ch <= 0xDFFF && m_faceHigh != 0) {
            ch = 0x10000 + ((m_faceHigh - 0xD800) << 10) + (ch - 0xDC00);
        } else if (ch >= 0xD800 && ch <= 0xDBFF && code <= 0xFFFF) {
            m_faceHigh = ch;
            return;
        }
        m_faceHigh = 0;
        if (ch >= 0xD800 && ch <= 0xDFFF) {
            Loss(ERtfLoss::BadCharacters);
            ch = 0xFFFD;
        }
        AppendValidUtf8(m_faceText, ch);
    } else {
        m_font->m_strExtra += token.m_raw;
    }
}

void CRtfParser::OnColorWord(const CRtfToken& token) {
    const std::string_view name = token.m_name;
    const int value = std::clamp(token.m_nParam, 0, 255);
    m_bColorUsed = true;
    if (name == "red" || name == "green" || name == "blue") {
        if (!m_color.m_color) m_color.m_color.emplace();
        int& part = name == "red" ? m_color.m_color->m_nRed : name == "green" ? m_color.m_color->m_nGreen
                                                                              : m_color.m_color->m_nBlue;
        part = value;
        return;
    }
    m_color.m_strExtra += token.m_raw;
}

void CRtfParser::DecodeFace() {
    if (m_faceBytes.empty() || !m_font) return;
    if (m_codePages.Decode(CodePageOfCharset(m_font->m_nCharset, Doc().m_nCodePage), m_faceBytes, m_faceText) > 0) {
        Loss(ERtfLoss::BadCharacters);
    }
    m_faceBytes.clear();
}

void CRtfParser::FinishFont() {
    if (!m_font) return;
    DecodeFace();
    CRtfFont font = std::move(*m_font);
    m_font.reset();
    font.m_strFace = std::move(m_faceText);
    m_faceText.clear();
    Doc().m_fonts.push_back(std::move(font));
}

void CRtfParser::FinishColor() {
    Doc().m_colors.push_back(std::move(m_color));
    m_color = CRtfColorEntry();
    m_bColorUsed = false;
}

void CRtfParser::OnTableText(std::string_view bytes) {
    if (State().m_dest == ERtfDest::ColorTable) {
        for (const char c : bytes) {
            if (c == ';') FinishColor();
        }
        return;
    }
    for (const char c : bytes) {
        if (m_bFaceDone) break;
        if (c == ';') {
            FinishFont();
            m_bFaceDone = true;
        } else {
            if (!m_font) m_font.emplace();
            m_faceBytes += c;
        }
    }
}

}  // namespace kelmio
