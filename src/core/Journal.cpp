#include "core/Journal.h"

#include <QSysInfo>
#include <QVarLengthArray>

#ifdef KIVO_HAVE_JOURNAL
#include <sys/uio.h>
#include <systemd/sd-journal.h>
#endif

namespace kivo::journal {

QList<QByteArray> fields(const Entry& entry, const QString& station)
{
    QList<QByteArray> out;
    out.append("MESSAGE=" + entry.message.toUtf8());
    out.append("PRIORITY=" + QByteArray::number(int(entry.priority)));
    out.append("SYSLOG_IDENTIFIER=kivo-sales-station");
    const std::pair<const char*, const QString*> named[] = {
        {"KIVO_EVENT=", &entry.event}, {"KIVO_ORDER=", &entry.order}, {"KIVO_STATION=", &station}};
    for (const auto& [name, value] : named)
        if (!value->isEmpty())
            out.append(QByteArray(name) + value->toUtf8());
    return out;
}

bool enabled()
{
#ifdef KIVO_HAVE_JOURNAL
    static const bool on = !qEnvironmentVariableIsEmpty("INVOCATION_ID") ||
                           !qEnvironmentVariableIsEmpty("JOURNAL_STREAM");
    return on;
#else
    return false;
#endif
}

QString stationName()
{
    static const QString name = [] {
        const QString set = qEnvironmentVariable("KIVO_STATION_NAME");
        return set.isEmpty() ? QSysInfo::machineHostName() : set;
    }();
    return name;
}

void send(const Entry& entry)
{
#ifdef KIVO_HAVE_JOURNAL
    if (!enabled())
        return;
    const QList<QByteArray> all = fields(entry, stationName());
    QVarLengthArray<iovec, 8> vectors;
    for (const QByteArray& field : all)
        vectors.append(iovec{const_cast<char*>(field.constData()), size_t(field.size())});
    sd_journal_sendv(vectors.constData(), int(vectors.size()));
#else
    Q_UNUSED(entry);
#endif
}

} // namespace kivo::journal
