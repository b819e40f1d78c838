#include "station/StationMonitor.h"

#include "core/Log.h"

namespace kivo {

namespace {

constexpr int kInfo = 0;
constexpr int kError = 3;
constexpr int kWarning = 4;

} // namespace

StationMonitor::StationMonitor(const QString& version, QObject* parent)
    : QObject(parent), m_version(version), m_clock([] { return QDateTime::currentDateTime(); })
{}

QDate StationMonitor::today() const
{
    return m_clock().date();
}

void StationMonitor::rollDay()
{
    const QDate day = today();
    if (day == m_day)
        return;
    m_day = day;
    m_ordersToday = 0;
    m_salesToday = 0.0;
}

void StationMonitor::visitStarted()
{
    ++m_visits;
    Log::event(kInfo, QStringLiteral("visit-started"), QString(), QStringLiteral("visit started"));
    emit changed();
}

void StationMonitor::orderReleased(const QString& order, double amount,
                                   const QMap<QString, qint64>& items)
{
    rollDay();
    ++m_released;
    ++m_ordersToday;
    m_salesToday += amount;
    m_salesTotal += amount;
    for (auto it = items.cbegin(); it != items.cend(); ++it)
        m_items[it.key()] += it.value();
    m_lastRelease = m_clock();
    Log::event(kInfo, QStringLiteral("release"), order,
               QStringLiteral("order %1 released, %2").arg(order).arg(amount, 0, 'f', 2));
    emit changed();
}

void StationMonitor::releaseFailed(const QString& order, const QString& reason)
{
    ++m_failures;
    Log::event(kError, QStringLiteral("release-failed"), order,
               QStringLiteral("order %1 not released: %2").arg(order, reason));
    emit changed();
}

void StationMonitor::setOutOfService(bool outOfService, const QStringList& reasons)
{
    const QStringList kept = outOfService ? reasons : QStringList();
    if (outOfService == m_outOfService && kept == m_outReasons)
        return;
    const bool changedState = outOfService != m_outOfService;
    m_outOfService = outOfService;
    m_outReasons = kept;
    if (changedState)
        Log::event(outOfService ? kError : kInfo, QStringLiteral("out-of-service"), QString(),
                   outOfService
                       ? QStringLiteral("out of service: %1").arg(kept.join(QStringLiteral("; ")))
                       : QStringLiteral("back in service"));
    emit changed();
}

void StationMonitor::setSetupProblem(const QString& text)
{
    if (text == m_setupProblem)
        return;
    const bool wasOut = !m_setupProblem.isEmpty();
    m_setupProblem = text;
    if (wasOut != !text.isEmpty())
        Log::event(text.isEmpty() ? kInfo : kError, QStringLiteral("out-of-service"), QString(),
                   text.isEmpty() ? QStringLiteral("start-up check passed")
                                  : QStringLiteral("out of service: %1").arg(text));
    emit changed();
}

QStringList StationMonitor::outOfServiceReasons() const
{
    QStringList reasons = m_outReasons;
    if (!m_setupProblem.isEmpty())
        reasons.append(m_setupProblem);
    return reasons;
}

void StationMonitor::setPrinterNotice(const QString& text)
{
    if (text == m_printerNotice)
        return;
    m_printerNotice = text;
    Log::event(text.isEmpty() ? kInfo : kWarning, QStringLiteral("printer"), QString(),
               text.isEmpty() ? QStringLiteral("receipt printers ready") : text);
    emit changed();
}

void StationMonitor::setStaffNotice(const QString& text)
{
    if (text == m_staffNotice)
        return;
    m_staffNotice = text;
    emit changed();
}

QStringList StationMonitor::staffNotices() const
{
    return m_staffNotice.isEmpty() ? QStringList() : m_staffNotice.split(QLatin1Char('\n'));
}

QString StationMonitor::state() const
{
    if (m_outOfService || !m_setupProblem.isEmpty())
        return QLatin1String(kOutOfService);
    if (!m_staffNotice.isEmpty() || !m_printerNotice.isEmpty())
        return QLatin1String(kServingWithWarnings);
    return QLatin1String(kServing);
}

qint64 StationMonitor::ordersToday() const
{
    return m_day == today() ? m_ordersToday : 0;
}

double StationMonitor::salesToday() const
{
    return m_day == today() ? m_salesToday : 0.0;
}

QVariantMap StationMonitor::status() const
{
    return {
        {QStringLiteral("State"), state()},
        {QStringLiteral("OutOfServiceReasons"), outOfServiceReasons()},
        {QStringLiteral("PrinterNotice"), m_printerNotice},
        {QStringLiteral("StaffNotices"), staffNotices()},
        {QStringLiteral("VisitsStarted"), m_visits},
        {QStringLiteral("OrdersReleased"), m_released},
        {QStringLiteral("ReleaseFailures"), m_failures},
        {QStringLiteral("OrdersToday"), ordersToday()},
        {QStringLiteral("SalesToday"), salesToday()},
        {QStringLiteral("LastRelease"),
         m_lastRelease.isValid() ? m_lastRelease.toString(Qt::ISODate) : QString()},
        {QStringLiteral("Version"), m_version},
    };
}

} // namespace kivo
