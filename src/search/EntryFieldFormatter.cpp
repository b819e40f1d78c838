#include "search/EntryFieldFormatter.h"

namespace kivo {

EntryFieldFormatter::Result EntryFieldFormatter::isPartialStringValid(const QString& proposed) const
{
    Result r;
    if (proposed.size() > m_maxLength) {
        r.accepted = false;
        r.beep = true;
        return r;
    }
    QString cleaned;
    cleaned.reserve(proposed.size());
    for (const QChar c : proposed) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('*') ||
            c == QLatin1Char('#'))
            cleaned.append(c);
    }
    cleaned = cleaned.toUpper();
    r.text = cleaned;
    r.beep = cleaned != proposed;
    return r;
}

} // namespace kivo
