#pragma once
// When to write a recovery copy: a few seconds after typing stops, and
// while typing goes on, no later than 30 seconds after the first change
// that the last copy does not hold. The caller passes the time, so the
// rules run without a clock.

#include <chrono>

namespace kelmio {

class CRecoverySchedule {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds kQuiet{3000};
    static constexpr std::chrono::milliseconds kLongest{30000};

    // The user changed something that a copy would hold.
    void OnEdit(Clock::time_point now);
    // True when a copy is to be written now.
    bool IsDue(Clock::time_point now) const;
    // When the next copy is due unless more changes come first (while one
    // is pending).
    Clock::time_point DueAt() const;
    // A copy holding every change so far was taken.
    void OnCopied() { m_bPending = false; }
    bool IsPending() const { return m_bPending; }

private:
    bool m_bPending = false;
    Clock::time_point m_firstEdit;
    Clock::time_point m_lastEdit;
};

}  // namespace kelmio
