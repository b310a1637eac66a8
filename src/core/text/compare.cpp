#include "text/compare.h"

#include "text/char_kind.h"
#include "text/sjis.h"

namespace kelmio {

int CompareNoCaseMb(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        unsigned int codeA = 0;
        unsigned int codeB = 0;
        if (i < a.size()) {
            codeA = ToUpperMb(CharCodeAt(a, i));
            i += CharLengthAt(a, i);
        }
        if (j < b.size()) {
            codeB = ToUpperMb(CharCodeAt(b, j));
            j += CharLengthAt(b, j);
        }
        if (codeA != codeB) return static_cast<int>(codeA) - static_cast<int>(codeB);
    }
    return 0;
}

}  // namespace kelmio
