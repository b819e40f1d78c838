#include "station/StationStatusBus.h"

#include "output/SessionBus.h"
#include "station/StationMonitor.h"

#include <QDBusConnection>

namespace kivo {

StationStatusBus::StationStatusBus(const StationMonitor& monitor, QObject* parent)
    : QObject(parent), m_monitor(monitor)
{}

StationStatusBus::~StationStatusBus()
{
    if (m_registered)
        sessionBus().unregisterObject(QLatin1String(kStatusObjectPath));
}

bool StationStatusBus::start(QString* error)
{
    QDBusConnection bus = sessionBus();
    if (!bus.isConnected()) {
        if (error)
            *error = QStringLiteral("no session bus");
        return false;
    }
    m_registered = bus.registerObject(QLatin1String(kStatusObjectPath), this,
                                      QDBusConnection::ExportAllProperties |
                                          QDBusConnection::ExportScriptableSlots);
    if (!m_registered && error)
        *error = QStringLiteral("%1 is taken").arg(QLatin1String(kStatusObjectPath));
    return m_registered;
}

QString StationStatusBus::state() const
{
    return m_monitor.state();
}

QStringList StationStatusBus::outOfServiceReasons() const
{
    return m_monitor.outOfServiceReasons();
}

QString StationStatusBus::printerNotice() const
{
    return m_monitor.printerNotice();
}

qlonglong StationStatusBus::ordersToday() const
{
    return m_monitor.ordersToday();
}

QString StationStatusBus::lastRelease() const
{
    return m_monitor.status().value(QStringLiteral("LastRelease")).toString();
}

QString StationStatusBus::version() const
{
    return m_monitor.version();
}

QVariantMap StationStatusBus::Status() const
{
    return m_monitor.status();
}

} // namespace kivo
