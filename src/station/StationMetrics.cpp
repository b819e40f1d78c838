#include "station/StationMetrics.h"

#include "output/print/PrinterHealth.h"
#include "station/StationMonitor.h"

#ifdef KIVO_HAS_PROMETHEUS
#include <prometheus/counter.h>
#include <prometheus/exposer.h>
#include <prometheus/family.h>
#include <prometheus/gauge.h>
#include <prometheus/registry.h>

#include <chrono>
#include <exception>
#include <map>
#include <string>
#endif

namespace kivo {

#ifdef KIVO_HAS_PROMETHEUS

namespace {

// Read at each scrape on the server's own thread: only the clock, nothing of the station's.
class Uptime : public prometheus::Collectable
{
public:
    std::vector<prometheus::MetricFamily> Collect() const override
    {
        prometheus::ClientMetric metric;
        metric.gauge.value =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        return {{"kivo_uptime_seconds",
                 "Seconds since the station started",
                 prometheus::MetricType::Gauge,
                 {metric}}};
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace

// The metrics are set on the station's thread and read by the server's; the library's counters
// and gauges are safe for that.
struct StationMetrics::Served
{
    std::shared_ptr<prometheus::Registry> registry = std::make_shared<prometheus::Registry>();
    std::shared_ptr<Uptime> uptime = std::make_shared<Uptime>();
    prometheus::Counter& visits = prometheus::BuildCounter()
                                      .Name("kivo_visits_started_total")
                                      .Help("Visits started by a customer's ID")
                                      .Register(*registry)
                                      .Add({});
    prometheus::Counter& released = prometheus::BuildCounter()
                                        .Name("kivo_orders_released_total")
                                        .Help("Orders released with their files written")
                                        .Register(*registry)
                                        .Add({});
    prometheus::Counter& failures = prometheus::BuildCounter()
                                        .Name("kivo_release_failures_total")
                                        .Help("Releases that failed")
                                        .Register(*registry)
                                        .Add({});
    prometheus::Counter& sales = prometheus::BuildCounter()
                                     .Name("kivo_sales_total")
                                     .Help("Total of the released orders, in the site's currency")
                                     .Register(*registry)
                                     .Add({});
    prometheus::Family<prometheus::Counter>& items = prometheus::BuildCounter()
                                                         .Name("kivo_items_released_total")
                                                         .Help("Packages released, by package type")
                                                         .Register(*registry);
    prometheus::Family<prometheus::Gauge>& printers =
        prometheus::BuildGauge()
            .Name("kivo_receipt_printer_state")
            .Help("Receipt printer state: 0 ready, 1 warning, 2 error")
            .Register(*registry);
    prometheus::Gauge& outOfService = prometheus::BuildGauge()
                                          .Name("kivo_out_of_service")
                                          .Help("1 while the station does not sell")
                                          .Register(*registry)
                                          .Add({});
    std::map<std::string, prometheus::Counter*> itemCounters;
    std::map<std::string, prometheus::Gauge*> printerGauges;
    std::unique_ptr<prometheus::Exposer> exposer;

    // A counter only goes up: it follows the monitor's count by the difference.
    static void follow(prometheus::Counter& counter, double value)
    {
        if (value > counter.Value())
            counter.Increment(value - counter.Value());
    }
};

StationMetrics::StationMetrics(const StationMonitor& monitor, QObject* parent)
    : QObject(parent), m_monitor(monitor), m_served(std::make_unique<Served>())
{
    connect(&monitor, &StationMonitor::changed, this, &StationMetrics::update);
    update();
}

StationMetrics::~StationMetrics() = default;

bool StationMetrics::available()
{
    return true;
}

bool StationMetrics::start(quint16 port, QString* error)
{
    m_served->exposer.reset();
    try {
        // One worker: a scrape every few seconds from one collector.
        auto exposer = std::make_unique<prometheus::Exposer>("127.0.0.1:" + std::to_string(port),
                                                             std::size_t(1));
        exposer->RegisterCollectable(m_served->registry);
        exposer->RegisterCollectable(m_served->uptime);
        m_served->exposer = std::move(exposer);
        return true;
    } catch (const std::exception& e) {
        if (error)
            *error = QStringLiteral("port %1 cannot be served (%2)")
                         .arg(port)
                         .arg(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

quint16 StationMetrics::port() const
{
    if (!m_served->exposer)
        return 0;
    const std::vector<int> ports = m_served->exposer->GetListeningPorts();
    return ports.empty() ? 0 : quint16(ports.front());
}

void StationMetrics::setPrinterHealth(const QList<PrinterHealth>& health)
{
    std::map<std::string, prometheus::Gauge*> kept;
    for (const PrinterHealth& printer : health) {
        const std::string name = printer.printer.toStdString();
        auto it = m_served->printerGauges.find(name);
        prometheus::Gauge* gauge = it != m_served->printerGauges.end()
                                       ? it->second
                                       : &m_served->printers.Add({{"printer", name}});
        if (it != m_served->printerGauges.end())
            m_served->printerGauges.erase(it);
        gauge->Set(double(int(printer.severity)));
        kept[name] = gauge;
    }
    // A printer no longer among the receipt printers leaves the metrics.
    for (auto& [name, gauge] : m_served->printerGauges)
        m_served->printers.Remove(gauge);
    m_served->printerGauges = std::move(kept);
}

void StationMetrics::update()
{
    Served& s = *m_served;
    Served::follow(s.visits, double(m_monitor.visitsStarted()));
    Served::follow(s.released, double(m_monitor.ordersReleased()));
    Served::follow(s.failures, double(m_monitor.releaseFailures()));
    Served::follow(s.sales, m_monitor.salesTotal());
    const QMap<QString, qint64>& items = m_monitor.itemsReleased();
    for (auto it = items.cbegin(); it != items.cend(); ++it) {
        const std::string type = it.key().toStdString();
        prometheus::Counter*& counter = s.itemCounters[type];
        if (!counter)
            counter = &s.items.Add({{"package_type", type}});
        Served::follow(*counter, double(it.value()));
    }
    s.outOfService.Set(m_monitor.state() == QLatin1String(StationMonitor::kOutOfService) ? 1 : 0);
}

#else

// Built without the metrics library: nothing is served.
struct StationMetrics::Served
{
};

StationMetrics::StationMetrics(const StationMonitor& monitor, QObject* parent)
    : QObject(parent), m_monitor(monitor)
{}

StationMetrics::~StationMetrics() = default;

bool StationMetrics::available()
{
    return false;
}

bool StationMetrics::start(quint16 port, QString* error)
{
    if (error)
        *error = QStringLiteral("port %1 not served: the station was built without prometheus-cpp")
                     .arg(port);
    return false;
}

quint16 StationMetrics::port() const
{
    return 0;
}

void StationMetrics::setPrinterHealth(const QList<PrinterHealth>&) {}

void StationMetrics::update() {}

#endif

} // namespace kivo
