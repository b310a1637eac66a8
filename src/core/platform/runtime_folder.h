#pragma once
// The per-user folder for sockets and locks: $XDG_RUNTIME_DIR when it is a
// private folder of ours, else /tmp/kelmio-<uid>, created 0700 and checked
// for owner and mode. Empty when no such folder can be had safely.

#include <string>
#include <string_view>

namespace kelmio {

std::string PrivateRuntimeFolder();

// Where that folder is or would be, not yet made or checked: for a caller
// that checks it itself and must name it when it is not private.
std::string RuntimeFolderCandidate();

// Makes `nativeFolder` (0700) when missing; true when it is then a private
// folder of ours.
bool MakePrivateFolder(const std::string& nativeFolder);

// True for a real folder (not a link) owned by us and closed to others.
bool IsPrivateFolder(const std::string& nativeFolder);

// The socket that stands for a conversation service ("PDICW") in `folder`.
std::string ServiceSocketPath(std::string_view folder, std::string_view service);

}  // namespace kelmio
