#pragma once
// Whether a start runs, hands its request to the Kelmio that runs already,
// or ends. Two Kelmios of one user could open the same project twice, so a
// start that can neither take the instance lock nor reach the Kelmio that
// holds it does not run: it says why and ends.

#include <functional>
#include <string>
#include <string_view>

#include "app/command_line.h"

namespace kelmio {

class CPrompter;

// What the instance lock said.
enum class InstanceClaim {
    kOurs,       // this start holds the lock: the one Kelmio
    kElsewhere,  // another Kelmio of this user holds it
    kNoFolder,   // the folder of the lock is missing or not private (planted by another user)
    kNoLock,     // the lock file cannot be opened
};

enum class StartRole {
    kRun,         // this start is the Kelmio (or prints on its own)
    kHandedOver,  // the running Kelmio took the request: end quietly
    kEnd,         // no Kelmio can be made sure of: the user was told, end
};

// `send` hands a request to the running Kelmio and is false when it cannot
// be reached; `folder` is the lock's folder (native), named in the message.
using InstanceSender = std::function<bool(const std::string& request)>;
StartRole DecideStartRole(InstanceClaim claim, const CCommandLineInfo& commandLine, const InstanceSender& send,
                          std::string_view folder, CPrompter& prompter);

// The messages of a start that ends (Shift-JIS).
std::string UnsafeInstanceFolderMessage(std::string_view folder);
std::string NoInstanceLockMessage(std::string_view folder);
std::string InstanceNotAnsweringMessage();

}  // namespace kelmio
