#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

namespace kivo {

class StationMonitor;
struct PrinterHealth;

// The station's figures in Prometheus' text format at http://127.0.0.1:PORT/metrics, for the
// operators' monitoring: the monitor's counts as counters, the receipt printers' and the
// station's state as gauges, and the uptime. Only the loopback address is served; a collector
// on another machine reaches it through the site's own tunnel or agent.
class StationMetrics : public QObject
{
    Q_OBJECT

public:
    explicit StationMetrics(const StationMonitor& monitor, QObject* parent = nullptr);
    ~StationMetrics() override;

    // False where the station was built without the metrics library.
    static bool available();

    // Serves on PORT (0: a free port the system picks). False with ERROR when the port cannot
    // be had or the metrics are not built in; the station goes on without them.
    bool start(quint16 port, QString* error);
    // The port served, 0 before a start.
    quint16 port() const;

    // Each receipt printer's state: 0 ready, 1 warning, 2 error.
    void setPrinterHealth(const QList<PrinterHealth>& health);

private:
    void update();

    const StationMonitor& m_monitor;
    struct Served;
    std::unique_ptr<Served> m_served;
};

} // namespace kivo
