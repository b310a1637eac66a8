#pragma once
// Read-only answers about dictionary programs installed beside Kelmio,
// which Windows keeps in the registry: where PDIC and the BookShelf
// program are. A missing entry is an empty text.

#include <string>

namespace kelmio {

class CSystemRegistry {
public:
    virtual ~CSystemRegistry() = default;

    // The full path of PDIC's program: the Unicode edition or the ANSI one.
    virtual std::string PdicProgramPath(bool unicode) const = 0;
    // The full path of the BookShelf program.
    virtual std::string BookshelfProgramPath() const = 0;
};

}  // namespace kelmio
