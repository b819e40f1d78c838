#include "search/KeypadHoldTimer.h"

namespace kivo {

bool KeypadHoldTimer::didHoldDownLongEnough(const QDateTime& now, bool continuous)
{
    const bool held = m_endDate.isValid() && now > m_endDate;
    if (held || !continuous)
        m_endDate = QDateTime();
    return held;
}

} // namespace kivo
