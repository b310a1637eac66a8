#include "project/file_filters.h"

#include "text/cp932.h"

namespace kelmio {

const std::string& SourceFileFilter() {
    static const std::string filter = SjisText(
        "全てのﾌｧｲﾙ(*.*) |*.*|画像ﾌｧｲﾙ|*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.tif;*.tiff|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|"
        "HTMLﾌｧｲﾙ(*.htm*)|*.htm*|PDFﾌｧｲﾙ(*.pdf)|*.pdf||");
    return filter;
}

const std::string& TextFileFilterSpaced() {
    static const std::string filter = SjisText("ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.txt|全てのﾌｧｲﾙ(*.*) |*.*||");
    return filter;
}

const std::string& TextFileFilter() {
    static const std::string filter = SjisText("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|全てのﾌｧｲﾙ(*.*) |*.*||");
    return filter;
}

const std::string& ProjectOpenFilter() {
    static const std::string filter = SjisText("Kelmioプロジェクトフォーム(*.kmp) |*.kmp|全てのﾌｧｲﾙ(*.*) |*.*||");
    return filter;
}

const std::string& ProjectSaveFilter() {
    static const std::string filter = SjisText("Kelmioプロジェクト(*.kmp) |*.kmp|全てのﾌｧｲﾙ(*.*) |*.*||");
    return filter;
}

const std::string& DocumentTypeFilter() {
    static const std::string filter = SjisText("Kelmio ﾌｧｲﾙ (*.kmp)|*.kmp|全てのﾌｧｲﾙ(*.*) |*.*||");
    return filter;
}

}  // namespace kelmio
