#pragma once

// Helpers shared by the orders tests: catalogue files written into the test's own root, and
// lines built in one call.

#include "core/PropertyList.h"
#include "orders/LineItem.h"
#include "orders/PackageCatalogue.h"
#include "support/TestRoot.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QVariantMap>

#include <gtest/gtest.h>

namespace kivo::test {

inline QVariantMap packageRecord(const QString& plu, const QString& name, double price,
                                 const QString& type, const QString& firstPLU = QString())
{
    QVariantMap record{
        {"pkgPLU", plu},         {"pkgDisplayName", name}, {"pkgKivoName", name + " host"},
        {"pkgUnitPrice", price}, {"pkgType", type},        {"pkgIconName", "icon"},
        {"pkgKivoPkgName", type}};
    if (!firstPLU.isEmpty())
        record.insert("pkgFirstItemPLU", firstPLU);
    return record;
}

// Writes a display list naming DISPLAYPLUS and a master item list of RECORDS under ROOT, and
// loads them into CATALOGUE.
inline void loadCatalogue(const TestRoot& root, PackageCatalogue& catalogue,
                          const QList<QVariantMap>& records, const QStringList& displayPLUs,
                          int firstItems = 2)
{
    QVariantMap master;
    for (const QVariantMap& record : records)
        master.insert(record.value("pkgPLU").toString(), record);
    const QString displayPath = root.file("display.plist");
    const QString masterPath = root.file("master.plist");
    ASSERT_TRUE(plist::writeFile(masterPath, master));
    ASSERT_TRUE(plist::writeFile(displayPath,
                                 QVariantMap{{"UIDisplayPackageListNew",
                                              QVariantList(displayPLUs.begin(), displayPLUs.end())},
                                             {"NumberOfFirstItems", firstItems}}));
    ASSERT_TRUE(catalogue.loadFromFiles(displayPath, masterPath));
}

// A basket line as kivo-order reads it: a package's display name and the quantity ordered.
inline QVariantMap basketLine(const QString& name, const QVariant& qty)
{
    return {{"pkgDisplayName", name}, {"pkgQty", qty}};
}

// A basket of one photo at PATH ordering LINES.
inline QVariantMap basketOf(const QVariantList& lines, const QString& customer = "123456",
                            const QString& path = "/p/a.jpg")
{
    return {{"customerID", customer},
            {"photos", QVariantList{QVariantMap{{"path", path}, {"lines", lines}}}}};
}

inline LineItem makeLine(const QString& plu, const QString& type, int qty, float price,
                         const QString& name = QString())
{
    LineItem line;
    line.setPkgPLU(plu);
    line.setPkgDisplayName(name.isEmpty() ? plu : name);
    line.setPkgKivoPkgName(plu + " host");
    line.setPkgType(type);
    line.setPkgQty(qty);
    line.setPkgUnitPrice(price);
    line.setPkgTotal(line.extendedPrice());
    return line;
}

// One record of a pending invoice: "plu,displayName,photoName,qty,unitPrice,extPrice~".
struct InvoiceRecord
{
    QString photoName;
    qint64 qty = 0;
    double unitPrice = 0.0;
    double extPrice = 0.0;
};

// The records of a pending invoice's text (they follow the header's last tab); a failure when
// one is not six fields.
inline QList<InvoiceRecord> invoiceRecords(const QByteArray& text)
{
    QList<InvoiceRecord> records;
    const QString body = QString::fromUtf8(text.mid(text.lastIndexOf('\t') + 1));
    for (const QString& record : body.split(QLatin1Char('~'), Qt::SkipEmptyParts)) {
        const QStringList fields = record.split(QLatin1Char(','));
        EXPECT_EQ(fields.size(), 6) << record.toStdString();
        if (fields.size() == 6)
            records.append({fields.at(2), fields.at(3).toLongLong(), fields.at(4).toDouble(),
                            fields.at(5).toDouble()});
    }
    return records;
}

#ifdef KIVO_ORDER_TOOL
struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs kivo-order with ARGS in the test's environment (KIVO_ROOT, KIVO_RESOURCES).
inline ToolRun runOrderTool(const QStringList& args)
{
    QProcess tool;
    tool.start(KIVO_ORDER_TOOL, args);
    ToolRun run;
    if (!tool.waitForFinished(20000)) {
        tool.kill();
        tool.waitForFinished();
        ADD_FAILURE() << "kivo-order did not finish: " << args.join(' ').toStdString();
        return run;
    }
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    return run;
}
#endif

// The priced order kivo-order --json prints before its "wrote" lines.
inline QJsonObject pricedJson(const QByteArray& out)
{
    const qsizetype wrote = out.indexOf("\nwrote ");
    return QJsonDocument::fromJson(wrote < 0 ? out : out.left(wrote + 1)).object();
}

} // namespace kivo::test
