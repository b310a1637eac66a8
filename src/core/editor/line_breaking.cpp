#include "editor/line_breaking.h"

namespace kelmio {
namespace {

constexpr std::u32string_view kNoLineStart =
    U"!),.:;?]}"                              // ASCII
    U"\u00BB\u2019\u201D\u2025\u2026\u2010\u2013\u301C\u30A0"  // » ’ ” ‥ … ‐ – 〜 ゠
    U"\u3001\u3002\u3005\u3009\u300B\u300D\u300F\u3011\u3015\u3017\u3019\u301F"  // 、。々〉》」』】〕〗〙〟
    U"\u3041\u3043\u3045\u3047\u3049\u3063\u3083\u3085\u3087\u308E\u3095\u3096"  // ぁぃぅぇぉっゃゅょゎゕゖ
    U"\u309B\u309C\u309D\u309E"                // ゛゜ゝゞ
    U"\u30A1\u30A3\u30A5\u30A7\u30A9\u30C3\u30E3\u30E5\u30E7\u30EE\u30F5\u30F6"  // ァィゥェォッャュョヮヵヶ
    U"\u30FB\u30FC\u30FD\u30FE"                // ・ーヽヾ
    U"\u31F0\u31F1\u31F2\u31F3\u31F4\u31F5\u31F6\u31F7\u31F8\u31F9\u31FA\u31FB\u31FC\u31FD\u31FE\u31FF"
    U"\uFF01\uFF09\uFF0C\uFF0E\uFF1A\uFF1B\uFF1F\uFF3D\uFF5D\uFF60"  // ！）ｰ，．：；？］｝｠
    U"\uFF61\uFF63\uFF64\uFF65\uFF67\uFF68\uFF69\uFF6A\uFF6B\uFF6C\uFF6D\uFF6E\uFF6F\uFF70\uFF9E\uFF9F";
    // ｡｣､･ｧｨｩｪｫｬｭｮｯｰﾞﾟ

constexpr std::u32string_view kNoLineEnd =
    U"([{"
    U"\u00AB\u2018\u201C"                                        // « ‘ “
    U"\u3008\u300A\u300C\u300E\u3010\u3014\u3016\u3018\u301D"    // 〈《「『【〔〖〘〝
    U"\uFF08\uFF3B\uFF5B\uFF5F\uFF62";                           // （［｛｟｢

bool IsSpace(char32_t ch) { return ch == U' ' || ch == U'\t' || ch == 0x3000; }

// Letters, digits and the symbols that hold a Latin word together: no
// break between two of them.
bool IsLatinWordChar(char32_t ch) { return !IsSpace(ch) && ch < 0x2000; }

}  // namespace

bool IsNoLineStartChar(char32_t ch) { return kNoLineStart.find(ch) != std::u32string_view::npos; }

bool IsNoLineEndChar(char32_t ch) { return kNoLineEnd.find(ch) != std::u32string_view::npos; }

bool CanBreakBetween(char32_t before, char32_t after) {
    if (IsNoLineStartChar(after) || IsNoLineEndChar(before)) return false;
    // White space stays at the end of the line it follows.
    if (IsSpace(after)) return false;
    if (IsSpace(before)) return true;
    return !(IsLatinWordChar(before) && IsLatinWordChar(after));
}

std::vector<std::size_t> LineBreakOpportunities(std::u32string_view line) {
    std::vector<std::size_t> breaks;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (CanBreakBetween(line[i - 1], line[i])) breaks.push_back(i);
    }
    return breaks;
}

}  // namespace kelmio
