#pragma once

#include <QDateTime>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

namespace kivo {

// How the station is, for the people who run it from afar: whether it sells and if not why,
// the receipt printer, the staff's notices, and what it did today. Fed by the signals the
// station already has; each event also becomes a journal line an operator can filter on. It
// holds no customer data beyond the identity that names an order's files.
class StationMonitor : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // The states as the status object and kivo-status name them.
    static constexpr const char* kServing = "serving";
    static constexpr const char* kServingWithWarnings = "serving-with-warnings";
    static constexpr const char* kOutOfService = "out-of-service";

    explicit StationMonitor(const QString& version, QObject* parent = nullptr);
    // The clock the day's figures go by (tests).
    void setClock(Clock clock) { m_clock = std::move(clock); }

    void visitStarted();
    // ORDER was released with its files written, AMOUNT its total, ITEMS its units by package
    // type.
    void orderReleased(const QString& order, double amount,
                       const QMap<QString, qint64>& items = {});
    void releaseFailed(const QString& order, const QString& reason);
    void setOutOfService(bool outOfService, const QStringList& reasons);
    // The start-up check's finding that keeps the visits from starting (images or invoice folder
    // missing); empty once it passes. The station is out of service while it is set.
    void setSetupProblem(const QString& text);
    void setPrinterNotice(const QString& text);
    // Every staff notice, the printer's among them, one per line.
    void setStaffNotice(const QString& text);

    QString state() const;
    QStringList outOfServiceReasons() const;
    QString printerNotice() const { return m_printerNotice; }
    QStringList staffNotices() const;
    qint64 visitsStarted() const { return m_visits; }
    qint64 ordersReleased() const { return m_released; }
    qint64 releaseFailures() const { return m_failures; }
    // Today's figures: the count and total of today's releases (they start again at midnight).
    qint64 ordersToday() const;
    double salesToday() const;
    // Since the start: the total of every release and their units by package type.
    double salesTotal() const { return m_salesTotal; }
    const QMap<QString, qint64>& itemsReleased() const { return m_items; }
    QDateTime lastRelease() const { return m_lastRelease; }
    QString version() const { return m_version; }

    // Everything above by name, as the status object returns it.
    QVariantMap status() const;

signals:
    void changed();

private:
    QDate today() const;
    void rollDay();

    QString m_version;
    Clock m_clock;
    bool m_outOfService = false;
    QStringList m_outReasons;
    QString m_setupProblem;
    QString m_printerNotice;
    QString m_staffNotice;
    qint64 m_visits = 0;
    qint64 m_released = 0;
    qint64 m_failures = 0;
    QDate m_day;
    qint64 m_ordersToday = 0;
    double m_salesToday = 0.0;
    double m_salesTotal = 0.0;
    QMap<QString, qint64> m_items;
    QDateTime m_lastRelease;
};

} // namespace kivo
