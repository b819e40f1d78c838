#include "station/StationSelfTest.h"

#include "core/Paths.h"
#include "core/Settings.h"
#include "orders/PackageCatalogue.h"
#include "output/HostEvent.h"
#include "output/SessionBus.h"
#include "station/PreparedPhotos.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QTextStream>

#include <cups/cups.h>

namespace kivo::StationSelfTest {

namespace {

// The texts' translation context, named here so that lupdate files them under the context
// they are looked up in at run time.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SelfTest)
};

CheckResult result(const QString& name, bool ok, const QString& reason, bool stopsSales)
{
    CheckResult r;
    r.name = name;
    r.ok = ok;
    r.reason = ok ? QString() : reason;
    r.stopsSales = !ok && stopsSales;
    return r;
}

// What is wrong with the CUPS queue NAME, or an empty string when it takes and prints jobs.
QString printerProblem(const QString& name)
{
    // A connection of its own with a time limit: a scheduler that does not answer costs the
    // self-test 2 s, not libcups' default wait.
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                2000, nullptr);
    if (!http)
        return Texts::tr("%1: no CUPS scheduler answers at %2")
            .arg(name, QString::fromUtf8(cupsServer()));
    cups_dest_t* dest = cupsGetNamedDest(http, name.toUtf8().constData(), nullptr);
    httpClose(http);
    if (!dest)
        return Texts::tr("%1 is not known to CUPS").arg(name);
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char* why = cupsGetOption("printer-state-reasons", dest->num_options, dest->options);
    QString problem;
    if (accepting && qstrcmp(accepting, "true") != 0)
        problem = Texts::tr("%1 does not accept jobs").arg(name);
    else if (state && qstrcmp(state, "5") == 0) // IPP_PSTATE_STOPPED
        problem = Texts::tr("%1 is paused").arg(name);
    // The scheduler's own words, unless they only repeat the state ("paused").
    if (!problem.isEmpty() && why && qstrcmp(why, "none") != 0 && qstrcmp(why, "paused") != 0)
        problem += QStringLiteral(" (%1)").arg(QString::fromUtf8(why));
    cupsFreeDests(1, dest);
    return problem;
}

} // namespace

SelfTest allChecks(Settings& settings, const QString& logFile)
{
    SelfTest test = SelfTest::coreChecks(settings, logFile);
    Settings* s = &settings;
    test.add([s] { return catalogueLoads(*s); });
    test.add([] { return sessionBusReachable(); });
    test.add([] { return printHostReachable(); });
    test.add([s] { return receiptPrintersReady(*s); });
    test.add([s] { return PreparedPhotos::cacheCheck(*s); });
    return test;
}

CheckResult catalogueLoads(Settings& settings)
{
    const QString name = Texts::tr("Catalogue");
    PackageCatalogue catalogue(settings);
    if (!catalogue.load())
        return result(name, false, catalogue.loadError(), true);
    // The station sells on from the shipped catalogue, but not at the site's prices.
    if (!catalogue.siteLoadError().isEmpty())
        return result(name, false,
                      Texts::tr("the site's catalogue is refused (%1); the shipped one is used")
                          .arg(catalogue.siteLoadError()),
                      false);
    const qsizetype packages = catalogue.displayPackageList().size();
    if (packages == 0)
        return result(name, false, Texts::tr("no packages to offer"), true);
    CheckResult r = result(name, true, QString(), true);
    r.detail = packages == 1
                   ? Texts::tr("1 package from %1").arg(paths::resourcesFolder())
                   : Texts::tr("%1 packages from %2").arg(packages).arg(paths::resourcesFolder());
    return r;
}

CheckResult sessionBusReachable()
{
    // Without a bus the order files are still written; the print host finds them by itself.
    return result(Texts::tr("Session bus"), sessionBusAvailable(),
                  Texts::tr("no session bus answers"), false);
}

CheckResult printHostReachable()
{
    const QString name = Texts::tr("Print host");
    const QString busName = busNameForSignature(kHostSignature);
    if (!sessionBusAvailable())
        return result(name, false, Texts::tr("no session bus to reach %1 on").arg(busName), false);
    QDBusConnectionInterface* bus = sessionBus().interface();
    const bool running = bus && bus->isServiceRegistered(busName).value();
    return result(name, running, Texts::tr("%1 is not on the session bus").arg(busName), false);
}

CheckResult receiptPrintersReady(const Settings& settings)
{
    const QString name = Texts::tr("Receipt printers");
    if (!settings.printReceipt()) {
        CheckResult r = result(name, true, QString(), false);
        r.detail = Texts::tr("receipts are off");
        return r;
    }
    QStringList problems;
    QStringList printers;
    const std::pair<Setting, Setting> configured[] = {
        {Setting::doPrintReceiptPrimary, Setting::receiptPrinterNamePrimary},
        {Setting::doPrintReceiptSecondary, Setting::receiptPrinterNameSecondary}};
    for (const auto& [onKey, nameKey] : configured) {
        if (!Settings::toBool(settings.value(onKey)))
            continue;
        const QString printer = Settings::toText(settings.value(nameKey));
        if (printer.isEmpty()) {
            problems.append(
                Texts::tr("%1 is on but names no printer").arg(settingKeyString(nameKey)));
            continue;
        }
        printers.append(printer);
        const QString problem = printerProblem(printer);
        if (!problem.isEmpty())
            problems.append(problem);
    }
    // The order is written whatever the receipt does: a printer fault is for the staff.
    CheckResult r = result(name, problems.isEmpty(), problems.join(QStringLiteral("; ")), false);
    if (r.ok)
        r.detail =
            printers.isEmpty() ? Texts::tr("none turned on") : printers.join(QStringLiteral(", "));
    return r;
}

int runFromCommandLine(Settings& settings, const QString& logFile)
{
    QTextStream out(stdout);
    const QList<CheckResult> results = allChecks(settings, logFile).run();
    for (const CheckResult& r : results)
        out << SelfTest::line(r) << Qt::endl;
    return SelfTest::allPassed(results) ? 0 : 1;
}

} // namespace kivo::StationSelfTest
