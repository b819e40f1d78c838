// The catalogue files a site edits by hand, read as the display package list and as the master
// item list. A catalogue that loads has prices that are numbers and a first-item count in range.
#include "FuzzSupport.h"

#include "core/Settings.h"
#include "orders/PackageCatalogue.h"

#include <cmath>

namespace {

void checkRecords(const QVariantList& records)
{
    for (const QVariant& record : records) {
        const float price = kivo::PackageCatalogue::unitPrice(record.toMap());
        if (!std::isfinite(price) || price < 0.0f)
            kivo::fuzz::fail("a loaded catalogue offers a price that is not a sound number");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kivo;
    static Settings settings(fuzz::writeInput(QStringLiteral("settings.plist"), QByteArray()));
    static const QString display = fuzz::writeInput(
        QStringLiteral("display.plist"),
        QByteArrayLiteral("<plist><dict><key>UIDisplayPackageListNew</key><array>"
                          "<string>1</string><string>2</string></array></dict></plist>"));

    const QString input = fuzz::writeInput(QStringLiteral("input.plist"), fuzz::bytes(data, size));
    PackageCatalogue catalogue(settings);
    for (const auto& [displayPath, masterPath] : {std::pair{input, QString()}, {display, input}}) {
        if (!catalogue.loadFromFiles(displayPath, masterPath))
            continue;
        checkRecords(catalogue.displayPackageList());
        checkRecords(catalogue.masterItemList().values());
        if (catalogue.numberOfFirstItems() < 0 || catalogue.numberOfFirstItems() > 1000)
            fuzz::fail("a loaded catalogue with a first-item count out of range");
        for (const QVariant& record : catalogue.displayPackageList())
            (void)catalogue.translatedFirstItemInfo(
                PackageCatalogue::stringField(record.toMap(), "pkgPLU"));
    }
    return 0;
}
