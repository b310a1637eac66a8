// kelmio-keytable TABLE OUTPUT: writes the key file for a key table kept as
// text (see keys/key_table_text.h), byte for byte as Kelmio saves its table.

#include <iostream>
#include <string>

#include "keys/key_file.h"
#include "keys/key_table_text.h"
#include "platform/file_io.h"
#include "text/cp932.h"

int main(int argc, char** argv) {
    using namespace kelmio;
    if (argc != 3) {
        std::cerr << "usage: kelmio-keytable TABLE OUTPUT\n";
        return 2;
    }
    const FileReadResult table = ReadWholeFile(CFilePath::FromNative(argv[1]));
    if (!table.ok()) {
        std::cerr << Cp932ToUtf8(FileErrorMessage(*table.error)) << '\n';
        return 1;
    }
    const KeyTableTextResult parsed = ParseKeyTableText(table.bytes);
    if (!parsed.ok()) {
        std::cerr << argv[1] << ": " << parsed.error << '\n';
        return 1;
    }
    if (const auto error = SaveFileAtomically(CFilePath::FromNative(argv[2]), WriteKeyFile(parsed.bindings))) {
        std::cerr << Cp932ToUtf8(FileErrorMessage(*error)) << '\n';
        return 1;
    }
    return 0;
}
