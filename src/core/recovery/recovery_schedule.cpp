#include "recovery/recovery_schedule.h"

#include <algorithm>

namespace kelmio {

void CRecoverySchedule::OnEdit(Clock::time_point now) {
    if (!m_bPending) m_firstEdit = now;
    m_bPending = true;
    m_lastEdit = now;
}

bool CRecoverySchedule::IsDue(Clock::time_point now) const { return m_bPending && now >= DueAt(); }

CRecoverySchedule::Clock::time_point CRecoverySchedule::DueAt() const {
    return std::min(m_lastEdit + kQuiet, m_firstEdit + kLongest);
}

}  // namespace kelmio
