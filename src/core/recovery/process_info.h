#pragma once
// Which process is this, and is another one still running: what tells a
// recovery entry left by a crash from one a running Kelmio keeps up to date.
// A process id alone is reused; the id with the process's start time is not.

#include <cstdint>
#include <optional>
#include <string_view>

#include "recovery/recovery_entry.h"

namespace kelmio {

class CProcessInfo {
public:
    virtual ~CProcessInfo() = default;

    virtual ProcessIdentity Current() const = 0;
    // True while the process with that id and start time runs.
    virtual bool IsRunning(const ProcessIdentity& process) const = 0;
};

// The system's answer, from /proc.
class CSystemProcessInfo final : public CProcessInfo {
public:
    ProcessIdentity Current() const override;
    bool IsRunning(const ProcessIdentity& process) const override;
};

// The start time in a /proc/<pid>/stat line (its 22nd field, after the
// command name in parentheses, which may itself hold spaces and ")");
// nullopt when the line is not one or the process has ended (a zombie).
std::optional<std::uint64_t> StartTimeFromStat(std::string_view stat);

}  // namespace kelmio
