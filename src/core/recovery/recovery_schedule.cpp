#include "recovery/recovery_schedule.h"

namespace kelmio {

void CRecoverySchedule::OnEdit(Clock::time_point now) {
    if (!m_bPending) m_firstEdit = now;
    m_bPending = true;
    m_lastEdit = now;
}

bool CRecoverySchedule::IsDue(Clock::time_point now) const {
    if (!m_bPending) return false;
    return now - m_lastEdit >= kQuiet || now - m_firstEdit >= kLongest;
}

}  // namespace kelmio
