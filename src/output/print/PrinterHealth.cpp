#include "output/print/PrinterHealth.h"

#include <QCoreApplication>

namespace kivo {

namespace {

// The staff's texts keep the watch's translation context, which lupdate files them under.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(PrinterWatch)
};

// A marker with no low mark of its driver's is low at this level.
constexpr int kDefaultLowLevel = 10;

QStringList listOf(const QString& text)
{
    QStringList items;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    }
    return items;
}

struct Reason
{
    QString keyword; // without its level suffix
    PrinterSeverity severity;
};

Reason reasonOf(const QString& reason)
{
    static const struct
    {
        const char* suffix;
        PrinterSeverity severity;
    } levels[] = {{"-error", PrinterSeverity::Error},
                  {"-warning", PrinterSeverity::Warning},
                  {"-report", PrinterSeverity::Ok}};
    for (const auto& level : levels) {
        if (reason.endsWith(QLatin1String(level.suffix)))
            return {reason.chopped(int(qstrlen(level.suffix))), level.severity};
    }
    // Without a level: what the printer is doing and the scheduler's own notes are no problem,
    // supplies running low a warning, anything else an error.
    static const QStringList doing{
        "none",     "paused",    "moving-to-paused",          "connecting-to-device",
        "shutdown", "timed-out", "identify-printer-requested"};
    if (doing.contains(reason) || reason.startsWith(QLatin1String("cups-")) ||
        reason.startsWith(QLatin1String("com.apple.")))
        return {reason, PrinterSeverity::Ok};
    if (reason.endsWith(QLatin1String("-low")) || reason.endsWith(QLatin1String("-near-end")) ||
        reason.endsWith(QLatin1String("-almost-full")))
        return {reason, PrinterSeverity::Warning};
    // A driver's own reason (named after its maker's domain) is shown but stops no receipt: only
    // the driver knows what it means.
    if (reason.contains(QLatin1Char('.')))
        return {reason, PrinterSeverity::Warning};
    return {reason, PrinterSeverity::Error};
}

QString staffWords(const QString& keyword)
{
    if (keyword == QLatin1String("media-empty") || keyword == QLatin1String("media-needed"))
        return Texts::tr("out of paper");
    if (keyword == QLatin1String("media-low"))
        return Texts::tr("paper low");
    if (keyword == QLatin1String("media-jam"))
        return Texts::tr("paper jam");
    if (keyword == QLatin1String("marker-supply-empty") || keyword == QLatin1String("toner-empty"))
        return Texts::tr("out of ink or toner");
    if (keyword == QLatin1String("marker-supply-low") || keyword == QLatin1String("toner-low"))
        return Texts::tr("ink or toner low");
    if (keyword == QLatin1String("door-open") || keyword == QLatin1String("cover-open"))
        return Texts::tr("cover open");
    if (keyword == QLatin1String("offline"))
        return Texts::tr("offline");
    return keyword;
}

bool isLow(const PrinterMarker& marker)
{
    if (marker.level < 0)
        return false;
    return marker.level <= (marker.lowLevel >= 0 ? marker.lowLevel : kDefaultLowLevel);
}

} // namespace

PrinterHealth PrinterHealth::assess(const QString& name, const PrinterStatus& status)
{
    PrinterHealth h;
    h.printer = name;
    h.status = status;
    if (!status.found) {
        h.severity = PrinterSeverity::Error;
        h.staffText = Texts::tr("Receipt printer %1 is missing").arg(name);
        h.logText = QStringLiteral("receipt printer [%1] is missing").arg(name);
        return h;
    }
    const auto raise = [&h](PrinterSeverity s) { h.severity = qMax(h.severity, s); };
    QStringList words;
    for (const QString& reason : status.reasons) {
        const Reason r = reasonOf(reason);
        raise(r.severity);
        if (r.severity != PrinterSeverity::Ok && !words.contains(staffWords(r.keyword)))
            words << staffWords(r.keyword);
    }
    QStringList lowMarkers;
    for (const PrinterMarker& marker : status.markers) {
        if (!isLow(marker))
            continue;
        raise(PrinterSeverity::Warning);
        words << Texts::tr("%1 at %2 %").arg(marker.name).arg(marker.level);
        lowMarkers << QStringLiteral("%1=%2%").arg(marker.name).arg(marker.level);
    }

    QString staff;
    QString log;
    if (status.paused()) {
        staff = Texts::tr("Receipt printer %1 is paused").arg(name);
        log = QStringLiteral("receipt printer [%1] is paused").arg(name);
    } else if (!status.accepting) {
        staff = Texts::tr("Receipt printer %1 is not accepting jobs").arg(name);
        log = QStringLiteral("receipt printer [%1] rejects jobs").arg(name);
    } else if (status.stuckJobs > 0) {
        staff = Texts::tr("Receipt printer %1 has %n stuck job(s)", nullptr, status.stuckJobs)
                    .arg(name);
        log = QStringLiteral("receipt printer [%1] has %2 stuck job(s)")
                  .arg(name)
                  .arg(status.stuckJobs);
    }
    if (!staff.isEmpty())
        raise(PrinterSeverity::Error);
    if (h.severity == PrinterSeverity::Ok)
        return h;
    if (staff.isEmpty()) {
        staff = Texts::tr("Receipt printer %1").arg(name);
        log = QStringLiteral("receipt printer [%1] reports").arg(name);
    }
    if (!words.isEmpty())
        staff += QStringLiteral(": ") + words.join(QStringLiteral(", "));
    h.staffText = staff;
    h.logText =
        log + QStringLiteral(" [%1]").arg((status.reasons + lowMarkers).join(QLatin1Char(',')));
    return h;
}

PrinterStatus PrinterHealth::fromAttributes(const QMap<QString, QString>& attributes)
{
    PrinterStatus s;
    s.found = true;
    // IPP's printer-state: 3 idle, 4 processing, 5 stopped.
    switch (attributes.value(QStringLiteral("printer-state")).toInt()) {
    case 4:
        s.state = PrinterStatus::State::Processing;
        break;
    case 5:
        s.state = PrinterStatus::State::Stopped;
        break;
    default:
        s.state = PrinterStatus::State::Idle;
    }
    s.accepting =
        attributes.value(QStringLiteral("printer-is-accepting-jobs")) != QLatin1String("false");
    s.reasons = listOf(attributes.value(QStringLiteral("printer-state-reasons")));
    s.reasons.removeAll(QStringLiteral("none"));
    const QStringList names = listOf(attributes.value(QStringLiteral("marker-names")));
    const QStringList levels = listOf(attributes.value(QStringLiteral("marker-levels")));
    const QStringList lows = listOf(attributes.value(QStringLiteral("marker-low-levels")));
    const auto number = [](const QStringList& list, qsizetype i) {
        bool ok = false;
        const int value = i < list.size() ? list[i].toInt(&ok) : -1;
        return ok ? value : -1;
    };
    for (qsizetype i = 0; i < names.size(); ++i)
        s.markers << PrinterMarker{names[i], number(levels, i), number(lows, i)};
    return s;
}

PrinterSeverity PrinterHealth::worst(const QList<PrinterHealth>& health)
{
    PrinterSeverity worst = PrinterSeverity::Ok;
    for (const PrinterHealth& h : health)
        worst = qMax(worst, h.severity);
    return worst;
}

QString PrinterHealth::stateText(PrinterStatus::State state)
{
    switch (state) {
    case PrinterStatus::State::Idle:
        return Texts::tr("idle");
    case PrinterStatus::State::Processing:
        return Texts::tr("printing");
    case PrinterStatus::State::Stopped:
        return Texts::tr("paused");
    }
    return {};
}

QString PrinterHealth::severityText(PrinterSeverity severity)
{
    switch (severity) {
    case PrinterSeverity::Ok:
        return Texts::tr("OK");
    case PrinterSeverity::Warning:
        return Texts::tr("Warning");
    case PrinterSeverity::Error:
        return Texts::tr("Error");
    }
    return {};
}

} // namespace kivo
