// kivo-report: the end-of-day report of a station, from its order files and pending invoices:
// orders, items per package, sales per hour and for the day, and a cross-check of every order
// file against its invoice. Given several stations' order folders, it reports each station and
// the site, whose invoices share one point-of-sale folder.
#include "SalesChart.h"

#include "core/AtomicFile.h"
#include "core/Settings.h"
#include "output/DayReport.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

namespace {

// Exit statuses.
enum ExitStatus
{
    ExitClean = 0,       // the report was made and every order file matches its invoice
    ExitDifferences = 1, // the report was made; the cross-check found something
    ExitBadUse = 2,      // bad arguments, a folder that cannot be read, an output not written
};

QString tr(const char* text)
{
    return QCoreApplication::translate("kivo-report", text);
}

} // namespace

int main(int argc, char** argv)
{
    // The chart is drawn with fonts, which needs a GUI application; the tool shows no window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kivo-report"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("The end-of-day report of the order files and pending invoices.\n"
           "Reads KIVO_ROOT and the station's settings for the folders."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption dayOption(QStringLiteral("day"),
                                       tr("The day to report (default: today)."),
                                       QStringLiteral("yyyy-MM-dd"));
    const QCommandLineOption csvOption(QStringLiteral("csv"),
                                       tr("Write the per-hour and per-package tables to FILE."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption chartOption(
        QStringLiteral("chart"), tr("Draw a bar chart of the sales per hour as a PNG image."),
        QStringLiteral("FILE.png"));
    const QCommandLineOption ordersOption(
        QStringLiteral("orders"),
        tr("A station's order folder; given once per station, the report covers each station "
           "and the site (default: this station's, from its settings)."),
        QStringLiteral("FOLDER"));
    const QCommandLineOption invoicesOption(
        QStringLiteral("invoices"),
        tr("The point-of-sale folder of the pending invoices, shared by the stations "
           "(default: this station's, from its settings)."),
        QStringLiteral("FOLDER"));
    parser.addOptions({dayOption, csvOption, chartOption, ordersOption, invoicesOption});
    if (!parser.parse(app.arguments()) || !parser.positionalArguments().isEmpty()) {
        err << "kivo-report: "
            << (parser.errorText().isEmpty() ? tr("unexpected argument") : parser.errorText())
            << "\n"
            << parser.helpText();
        return ExitBadUse;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return ExitClean;
    }

    QDate day = QDate::currentDate();
    if (parser.isSet(dayOption)) {
        day = QDate::fromString(parser.value(dayOption), QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid()) {
            err << "kivo-report: " << tr("--day wants a date as yyyy-MM-dd") << "\n";
            return ExitBadUse;
        }
    }

    kivo::DayReport::Folders folders =
        kivo::DayReport::foldersFromSettings(kivo::Settings::instance());
    if (parser.isSet(invoicesOption))
        folders.invoices = parser.value(invoicesOption);
    // One station, or each of several and the site: the text, the tables and the chart's
    // figures.
    kivo::DayReport station;
    kivo::SiteReport site;
    const bool several = parser.isSet(ordersOption);
    QString error;
    const bool loaded = several
                            ? site.load(parser.values(ordersOption), folders.invoices, day, &error)
                            : station.load(folders, day, &error);
    if (!loaded) {
        err << "kivo-report: " << error << "\n";
        return ExitBadUse;
    }
    const kivo::DayReport& report = several ? site.site() : station;
    out << (several ? site.toText() : report.toText());
    out.flush();

    int status = report.crossCheckClean() ? ExitClean : ExitDifferences;
    if (parser.isSet(csvOption) &&
        !kivo::writeFileAtomically(parser.value(csvOption), several ? site.toCsv() : report.toCsv(),
                                   &error)) {
        err << "kivo-report: " << error << "\n";
        status = ExitBadUse;
    }
    if (parser.isSet(chartOption)) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!kivo::reporttool::salesChart(report).save(&buffer, "PNG") ||
            !kivo::writeFileAtomically(parser.value(chartOption), png, &error)) {
            err << "kivo-report: " << (error.isEmpty() ? tr("the chart was not drawn") : error)
                << "\n";
            status = ExitBadUse;
        }
    }
    return status;
}
