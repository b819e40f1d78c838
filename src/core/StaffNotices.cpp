#include "core/StaffNotices.h"

namespace kivo {

void StaffNotices::set(const QString& source, const QString& text)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].source != source)
            continue;
        if (text.isEmpty())
            m_entries.removeAt(i);
        else if (m_entries[i].text == text)
            return;
        else
            m_entries[i].text = text;
        emit changed();
        return;
    }
    if (text.isEmpty())
        return;
    m_entries.append({source, text});
    emit changed();
}

QString StaffNotices::line(const QString& source) const
{
    for (const Entry& entry : m_entries) {
        if (entry.source == source)
            return entry.text;
    }
    return {};
}

QStringList StaffNotices::lines() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        out.append(entry.text);
    return out;
}

} // namespace kivo
