#pragma once
// Reads RTF bytes into the rich-text model.
//
// Any input is safe: groups nest without recursion (past kMaxRtfDepth a
// group is kept whole as RTF instead of being opened), numbers are clamped,
// nothing is allocated from a count in the file. What the model cannot
// hold is kept as RTF in it (see rtf_document.h); the few things that
// cannot be kept are listed in the result, so the pane can warn before a
// save drops them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/rtf_document.h"

namespace kelmio {

inline constexpr int kMaxRtfDepth = 200;

enum class ERtfReadError {
    None,
    NotRtf,  // the bytes do not start with "{\rtf"
};

// Things a save would drop, each listed once.
enum class ERtfLoss {
    CutGroup,         // the file ends inside a picture, table or other kept group
    TrailingContent,  // bytes after the brace that closes the document
    BadCharacters,    // bytes or \u values that form no character (shown as U+FFFD)
    LongFormatting,   // formatting words beyond what one run or paragraph keeps
};

struct CRtfReadResult {
    ERtfReadError m_error = ERtfReadError::None;
    CRtfDocument m_document;
    std::vector<ERtfLoss> m_losses;
    bool m_bTruncated = false;  // the file ended before its groups closed

    bool ok() const { return m_error == ERtfReadError::None; }
    bool HasUnkeptContent() const { return !m_losses.empty(); }
    // What would be lost, one Shift-JIS line per kind, for a warning.
    std::string UnkeptDescription() const;
};

CRtfReadResult ReadRtf(std::string_view bytes);

// Words kept on one run or paragraph beyond this many bytes are dropped
// (and reported), so deep nesting cannot multiply a huge formatting state.
inline constexpr std::size_t kMaxRtfKeptWords = 4096;

}  // namespace kelmio
