#include "viewer/rtf_words.h"

#include <array>
#include <unordered_map>
#include <utility>

namespace kelmio {
namespace {

using WordTable = std::unordered_map<std::string_view, ERtfWordKind>;

WordTable MakeWordTable() {
    WordTable table;
    const auto add = [&](ERtfWordKind kind, std::initializer_list<std::string_view> names) {
        for (const std::string_view name : names) table.emplace(name, kind);
    };
    add(ERtfWordKind::CharExtra,
        {"super", "sub", "nosupersub", "caps", "scaps", "v", "highlight", "cb", "chcbpat", "chcfpat", "chshdng",
         "lang", "langfe", "langnp", "langfenp", "noproof", "dbch", "hich", "loch", "rtlch", "ltrch", "af", "afs",
         "ab", "ai", "acf", "kerning", "expnd", "expndtw", "charscalex", "up", "dn", "outl", "shad", "embo",
         "impr", "cs", "insrsid", "charrsid", "delrsid", "fcs", "cgrid", "g", "webhidden", "deleted", "revised",
         "crauth", "crdate", "revauth", "revauthdel", "revdttm", "revdttmdel", "striked", "uld", "uldb",
         "uldash", "uldashd", "uldashdd", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd",
         "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave", "ulc", "fittext", "accnone", "accdot",
         "acccomma", "acccircle", "accunderdot", "alang", "horzvert", "twoinone", "animtext", "spv", "chbrdr",
         "chbghoriz", "chbgvert", "chbgfdiag", "chbgbdiag", "chbgcross", "chbgdcross", "chbgdkhoriz"});
    add(ERtfWordKind::Paragraph,
        {"ql", "qc", "qr", "qj", "qd", "qk", "qt", "li", "ri", "fi", "lin", "rin", "sb", "sa", "sl", "slmult",
         "sbauto", "saauto", "tx", "tb", "tqr", "tqc", "tqdec", "tldot", "tlmdot", "tlhyph", "tlul", "tlth",
         "tleq", "keep", "keepn", "widctlpar", "nowidctlpar", "hyphpar", "pagebb", "s", "ltrpar", "rtlpar",
         "intbl", "itap", "outlinelevel", "nowwrap", "aspalpha", "aspnum", "faauto", "fahang", "facenter",
         "faroman", "favar", "fafixed", "adjustright", "noline", "contextualspace", "ilvl", "ls", "cbpat",
         "cfpat", "shading", "box", "brsp", "brdrt", "brdrb", "brdrl", "brdrr", "brdrbtw", "brdrbar", "brdrs",
         "brdrth", "brdrsh", "brdrdb", "brdrdot", "brdrdash", "brdrhair", "brdrw", "brdrcf", "brdrnone",
         "indmirror", "sbys", "nosnaplinegrid", "snaptogridincell", "pararsid", "yts", "wrapdefault", "level",
         "hyphen", "nocwrap", "lisa", "lisb", "absw", "absh", "phmrg", "phpg", "phcol", "posx", "posy"});
    add(ERtfWordKind::HeaderGroup,
        {"stylesheet", "info", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl",
         "mmathPr", "themedata", "colorschememapping", "latentstyles", "datastore", "defchp", "defpap",
         "pgdsctbl", "filetbl", "userprops", "fchars", "lchars", "protusertbl", "template", "docvar",
         "wgrffmtfilter", "pgptbl", "aftnsep", "aftnsepc", "aftncn", "ftnsep", "ftnsepc", "ftncn", "listpicture",
         "fonttbl", "colortbl"});
    add(ERtfWordKind::HiddenGroup,
        {"nonshppict", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
         "bkmkstart", "bkmkend", "pntext", "pntxta", "pntxtb", "pn", "listtext", "xe", "tc", "txe", "annotation",
         "atnid", "atnauthor", "atntime", "atnref", "atndate", "atnicn", "atrfstart", "atrfend", "do", "upr",
         "ud", "fldinst", "fldrslt", "result", "objdata", "objclass", "objname", "sp", "sn", "sv", "comment",
         "title", "subject", "author", "company", "operator", "keywords", "doccomm", "creatim", "revtim",
         "printim", "buptim", "nextfile", "shpinst", "shprslt", "shptxt", "background", "mhtmltag", "htmltag",
         "factoidname", "xmlopen", "xmlclose", "rxe", "formfield", "datafield", "ffdeftext", "fftitle",
         "ffhelptext", "ffstattext", "ffentrymcr", "ffexitmcr", "ffformat", "ffname", "nesttableprops",
         "nonesttables", "oldcprops", "oldpprops", "oldsprops", "oldtprops", "blipuid", "picprop", "private"});
    add(ERtfWordKind::VisibleGroup, {"pict", "object", "field", "shp", "shppict", "footnote"});
    return table;
}

}  // namespace

ERtfWordKind ClassifyRtfWord(std::string_view name) {
    static const WordTable table = MakeWordTable();
    const auto it = table.find(name);
    return it == table.end() ? ERtfWordKind::Other : it->second;
}

std::optional<char32_t> RtfSymbolWordChar(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, char32_t>, 16> kSymbols{{
        {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
        {"enspace", 0x2002}, {"qmspace", 0x2005}, {"zwj", 0x200D}, {"zwnj", 0x200C},
        {"ltrmark", 0x200E}, {"rtlmark", 0x200F}, {"zwbo", 0x200B}, {"zwnbo", 0xFEFF},
    }};
    for (const auto& [word, ch] : kSymbols) {
        if (word == name) return ch;
    }
    return std::nullopt;
}

bool IsRtfFontSubGroup(std::string_view name) {
    return name == "panose" || name == "falt" || name == "fname" || name == "fontemb" || name == "fontfile";
}

bool IsRtfParagraphEnd(std::string_view name) {
    return name == "par" || name == "cell" || name == "row" || name == "nestcell" || name == "nestrow";
}

}  // namespace kelmio
