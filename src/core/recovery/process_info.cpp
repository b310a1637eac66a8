#include "recovery/process_info.h"

#include <unistd.h>

#include <charconv>
#include <string>

#include "platform/file_io.h"

namespace kelmio {
namespace {

// Fields counted from the state, the first one after the command name.
constexpr int kStartTimeField = 22 - 3;

std::optional<std::uint64_t> StartTimeOf(std::uint32_t pid) {
    const FileReadResult stat = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
    if (!stat.ok()) return std::nullopt;
    return StartTimeFromStat(stat.bytes);
}

}  // namespace

std::optional<std::uint64_t> StartTimeFromStat(std::string_view stat) {
    const std::size_t close = stat.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view rest = stat.substr(close + 1);
    for (int field = 0; field <= kStartTimeField; ++field) {
        const std::size_t begin = rest.find_first_not_of(' ');
        if (begin == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(begin);
        // A zombie has ended; only its parent has not yet looked.
        if (field == 0 && (rest.front() == 'Z' || rest.front() == 'X')) return std::nullopt;
        const std::size_t end = std::min(rest.find(' '), rest.size());
        if (field == kStartTimeField) {
            std::uint64_t value = 0;
            const auto [last, error] = std::from_chars(rest.data(), rest.data() + end, value);
            if (error != std::errc() || last != rest.data() + end) return std::nullopt;
            return value;
        }
        rest.remove_prefix(end);
    }
    return std::nullopt;
}

ProcessIdentity CSystemProcessInfo::Current() const {
    ProcessIdentity self;
    self.nPid = static_cast<std::uint32_t>(::getpid());
    self.nStartTime = StartTimeOf(self.nPid).value_or(0);
    return self;
}

bool CSystemProcessInfo::IsRunning(const ProcessIdentity& process) const {
    if (process.nPid == 0) return false;
    const std::optional<std::uint64_t> start = StartTimeOf(process.nPid);
    return start && *start == process.nStartTime;
}

}  // namespace kelmio
