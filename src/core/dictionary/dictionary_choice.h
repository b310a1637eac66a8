#pragma once
// The dictionary a project uses: its kind and, for a custom program, the
// program's path and parameters. A project file carries one; the document
// hands it to the dictionary lookup whenever a project has been read.

#include <cstdint>
#include <string>

namespace kelmio {

struct DictionaryChoice {
    std::int32_t m_nDicKind = 0;
    std::string m_strDicPath;
    std::string m_strDicParam;

    bool operator==(const DictionaryChoice&) const = default;
};

}  // namespace kelmio
