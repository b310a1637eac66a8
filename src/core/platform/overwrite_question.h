#pragma once
// A save chooser asks before it replaces the file whose name was typed. When
// the name is written with an extension added, the file written is another
// one, which is asked about in the same way before it is replaced.

#include <string>

#include "platform/file_path.h"

namespace kelmio {

class CPrompter;

// "<path> は既に存在します。\n上書きしますか?"
std::string OverwriteQuestion(const CFilePath& path);

// Whether `target`, written for the chosen name `typed`, may be written: yes
// when it is the name the chooser already asked about, when no such file
// exists, or when the user answers Yes.
bool MayReplaceAddedName(CPrompter& prompter, const CFilePath& typed, const CFilePath& target);

}  // namespace kelmio
