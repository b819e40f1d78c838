#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace kivo {

class StationMonitor;

inline constexpr const char* kStatusObjectPath = "/org/kivo/Status";
inline constexpr const char* kStatusInterface = "org.kivo.Status1";

// The monitor, read-only on the session bus at /org/kivo/Status (the station's bus name serves
// it): a property per figure and Status(), all of them at once, for scripts and kivo-status.
class StationStatusBus : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kivo.Status1")
    Q_PROPERTY(QString State READ state)
    Q_PROPERTY(QStringList OutOfServiceReasons READ outOfServiceReasons)
    Q_PROPERTY(QString PrinterNotice READ printerNotice)
    Q_PROPERTY(qlonglong OrdersToday READ ordersToday)
    Q_PROPERTY(QString LastRelease READ lastRelease)
    Q_PROPERTY(QString Version READ version)

public:
    StationStatusBus(const StationMonitor& monitor, QObject* parent = nullptr);
    ~StationStatusBus() override;

    // Registers the object on the session bus; false (with ERROR) when it cannot.
    bool start(QString* error = nullptr);

    QString state() const;
    QStringList outOfServiceReasons() const;
    QString printerNotice() const;
    qlonglong ordersToday() const;
    QString lastRelease() const;
    QString version() const;

public slots:
    Q_SCRIPTABLE QVariantMap Status() const;

private:
    const StationMonitor& m_monitor;
    bool m_registered = false;
};

} // namespace kivo
