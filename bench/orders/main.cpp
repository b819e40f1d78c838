// Times the assembly and pricing of a full order (40 photos, 8 lines each, every line ordered)
// as the summary does it when the customer opens it, with the station's trace written to its
// log file as in the station. Prints the median of many repetitions.
#include "core/Log.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/PackageCatalogue.h"
#include "orders/PricedSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace kivo;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    qputenv("KIVO_ROOT", QFile::encodeName(root.path()));
    // The station runs with its trace on, into its log file (standard error goes there too):
    // what is measured includes writing it.
    const QString logPath = root.filePath(QStringLiteral("logs/KivoSalesStation.log"));
    if (!Log::setLogFile(logPath)) {
        std::fprintf(stdout, "cannot open the log file %s\n", qPrintable(logPath));
        return 1;
    }
    Settings& settings = Settings::instance();
    settings.reload();
    settings.setMinPrintsForReducedUsbPrice(5);
    settings.setBuyNGet1FreeAmt(2);
    settings.setComputeSalesTax(true);
    settings.setSalesTaxTextFormatString(QStringLiteral("Sales Tax %@"));

    // Eight packages, each with a first-item record: six prints, a drive, a promo.
    QVariantMap master;
    QVariantList shown;
    for (int i = 0; i < 8; ++i) {
        const QString plu = QStringLiteral("P%1").arg(10000 + i);
        const QString type = i == 6 ? QStringLiteral("Flash")
                                    : (i == 7 ? QStringLiteral("promo") : QStringLiteral("Print"));
        master.insert(plu, QVariantMap{{"pkgPLU", plu},
                                       {"pkgDisplayName", QStringLiteral("Package %1").arg(i)},
                                       {"pkgKivoName", QStringLiteral("pkg%1").arg(i)},
                                       {"pkgUnitPrice", 5.0 + i},
                                       {"pkgType", type},
                                       {"pkgFirstItemPLU", plu + "F"}});
        master.insert(plu + "F", QVariantMap{{"pkgPLU", plu + "F"},
                                             {"pkgDisplayName", QStringLiteral("First %1").arg(i)},
                                             {"pkgKivoName", QStringLiteral("pkg%1").arg(i)},
                                             {"pkgUnitPrice", 20.0 + i},
                                             {"pkgType", type}});
        shown << plu;
    }
    const QString displayPath = root.filePath("display.plist");
    const QString masterPath = root.filePath("master.plist");
    plist::writeFile(masterPath, master);
    plist::writeFile(displayPath, QVariantMap{{"UIDisplayPackageListNew", shown}});
    PackageCatalogue catalogue(settings);
    catalogue.loadFromFiles(displayPath, masterPath);

    PhotoOrdersSnapshot photos;
    for (int p = 0; p < 40; ++p) {
        ImageOrder order;
        order.copyDefaultsToOrder(catalogue.displayPackageList());
        for (int l = 0; l < 8; ++l)
            order.line(l).setPkgQty(1 + (p + l) % 3);
        photos.orders.append(order);
        photos.photos.append(
            QStringLiteral("/srv/images/2026-12-06/123456_%1.jpg").arg(p, 4, 10, QChar('0')));
    }

    const int repetitions = 2000;
    std::vector<double> micros;
    micros.reserve(repetitions);
    float total = 0.0f;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        PricedSession session(catalogue, settings);
        session.price(photos);
        total = session.pricing().totals().total;
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    const qint64 logged = QFileInfo(logPath).size();
    std::printf("assemble+price 40 photos x 8 lines: median %.1f us, p90 %.1f us, min %.1f us "
                "(%d runs, total %.2f, %lld bytes of trace logged)\n",
                micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.front(),
                repetitions, double(total), static_cast<long long>(logged));
    return 0;
}
