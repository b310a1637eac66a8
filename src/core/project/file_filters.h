#pragma once
// The file-type filters of the project's file choosers (Shift-JIS), each
// display text and pattern followed by "|", ended by a second "|".

#include <string>

namespace kelmio {

// All files, images, text, HTML and PDF: for choosing a source.
const std::string& SourceFileFilter();

// Text files, then all files. Two spellings are in use: with a space before
// the first "|" (project settings dialog) and without (translation text
// commands).
const std::string& TextFileFilterSpaced();
const std::string& TextFileFilter();

// Projects, then all files: opening and saving a project.
const std::string& ProjectOpenFilter();
const std::string& ProjectSaveFilter();

// The document type's own filter, used when an untitled project is saved
// on the way out.
const std::string& DocumentTypeFilter();

}  // namespace kelmio
