#include "cli/project_json.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include "text/cp932.h"

namespace kelmio::cli {
namespace {

using Json = nlohmann::ordered_json;

// Reads JSON into the record; missing keys (and null) leave empty or zero.
class CJsonReader {
public:
    // Characters with no Shift-JIS form, written as "?".
    std::size_t Unconvertible() const { return m_nUnconvertible; }

    const Json* Member(const Json& object, std::string_view key, std::string_view where) {
        if (!object.is_object()) throw BadInput{std::string(where) + " must be an object"};
        const auto found = object.find(key);
        if (found == object.end() || found->is_null()) return nullptr;
        return &*found;
    }

    void String(const Json& object, std::string_view key, std::string& out, std::string_view where = "") {
        const Json* value = Member(object, key, where.empty() ? "the project" : where);
        if (value) out = ToSjis(*value, Path(where, key));
    }

    void Int(const Json& object, std::string_view key, std::int32_t& out, std::string_view where = "") {
        const Json* value = Member(object, key, where.empty() ? "the project" : where);
        if (!value) return;
        const std::string path = Path(where, key);
        if (!value->is_number_integer()) throw BadInput{path + " must be an integer"};
        if (value->is_number_unsigned()) {
            const auto number = value->get<std::uint64_t>();
            if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
                throw BadInput{path + " does not fit in 32 bits"};
            }
            out = static_cast<std::int32_t>(number);
            return;
        }
        const auto number = value->get<std::int64_t>();
        if (number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max()) {
            throw BadInput{path + " does not fit in 32 bits"};
        }
        out = static_cast<std::int32_t>(number);
    }

    const Json* Array(const Json& object, std::string_view key) {
        const Json* value = Member(object, key, "the project");
        if (value && !value->is_array()) throw BadInput{std::string(key) + " must be an array"};
        return value;
    }

    // A file name in UTF-8 is the file system's own name, taken as it is.
    void FilePath(const Json& object, std::string_view key, CFilePath& out) {
        const Json* value = Member(object, key, "the project");
        if (value) out = ToPath(*value, std::string(key));
    }

    CFilePath ToPath(const Json& value, const std::string& path) {
        if (!value.is_string()) throw BadInput{path + " must be a string"};
        return CFilePath::FromNative(value.get_ref<const std::string&>());
    }

    std::string ToSjis(const Json& value, const std::string& path) {
        if (!value.is_string()) throw BadInput{path + " must be a string"};
        ConversionResult converted = Utf8ToCp932Checked(value.get_ref<const std::string&>());
        m_nUnconvertible += converted.unconvertible;
        return std::move(converted.text);
    }

private:
    static std::string Path(std::string_view where, std::string_view key) {
        return where.empty() ? std::string(key) : std::string(where) + "." + std::string(key);
    }

    std::size_t m_nUnconvertible = 0;
};

void ReadPosData(CJsonReader& reader, const Json& view, CKelmioPosData& pos) {
    reader.Int(view, "scroll_x", pos.m_nScrollX, "view");
    reader.Int(view, "scroll_y", pos.m_nScrollY, "view");
    reader.Int(view, "client_size", pos.m_bClientSize, "view");
    reader.Int(view, "enlarge", pos.m_bEnlarge, "view");
    reader.Int(view, "reduce", pos.m_bReduce, "view");
    reader.Int(view, "enlarge_factor", pos.m_nEnlarge, "view");
    reader.Int(view, "reduce_divisor", pos.m_nReduce, "view");
    reader.Int(view, "fit_window", pos.m_bFitWindow, "view");
    reader.Int(view, "browser_mode", pos.m_bBrowserMode, "view");
    reader.Int(view, "edit_caret", pos.m_nEditCaret, "view");
    reader.Int(view, "edit_top_line", pos.m_nEditTopLine, "view");
}

}  // namespace

std::size_t ProjectFromJson(const Json& json, CKelmioData& data) {
    CJsonReader reader;
    reader.FilePath(json, "source", data.m_strSrcFile);
    reader.FilePath(json, "translation", data.m_strEditFile);
    reader.Int(json, "reserved", data.m_nReserved);
    if (const Json* dictionary = reader.Member(json, "dictionary", "the project")) {
        reader.Int(*dictionary, "kind", data.m_nDicKind, "dictionary");
        reader.String(*dictionary, "path", data.m_strDicPath, "dictionary");
        reader.String(*dictionary, "params", data.m_strDicParam, "dictionary");
    }
    if (const Json* memos = reader.Array(json, "memos")) {
        for (const Json& entry : *memos) {
            CKelmioMemo memo;
            reader.String(entry, "title", memo.m_strTitle, "memos[]");
            reader.String(entry, "text", memo.m_strText, "memos[]");
            data.AppendMemo(std::move(memo));
        }
    }
    if (const Json* history = reader.Array(json, "history")) {
        for (const Json& entry : *history) data.m_arrSrcHistory.push_back(reader.ToPath(entry, "history[]"));
    }
    if (const Json* view = reader.Member(json, "view", "the project")) ReadPosData(reader, *view, data.m_pos);
    return reader.Unconvertible();
}

}  // namespace kelmio::cli
