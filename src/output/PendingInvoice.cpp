#include "output/PendingInvoice.h"

#include "core/ConsoleLog.h"
#include "core/DateFormat.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "output/Logging.h"
#include "output/OrderFields.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

QString money(double value)
{
    // "%2.2f": at least two characters, two decimals, a leading minus sign when negative.
    return QString::asprintf("%2.2f", value);
}

// A separator or a line break inside a name would split the record or add records of its own.
QString field(const QString& text)
{
    bool changed = false;
    QString safe = invoiceFieldText(text, &changed);
    if (changed) {
        const QString line =
            QStringLiteral("invoice field [%1] written as [%2]")
                .arg(QString::fromLatin1(text.toUtf8().toPercentEncoding(" /()._-")), safe);
        consoleLog(lcOutput(), "PendingInvoice", "pendingInvoiceRecord", line);
        kivo::Log::debug(lcOutput(), QStringLiteral("PendingInvoice: ") + line);
    }
    return safe;
}

} // namespace

QString pendingInvoiceRecord(const QString& plu, const QString& displayName,
                             const QString& photoName, qint64 qty, double unitPrice,
                             double extPrice)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6~")
        .arg(field(plu), field(displayName), field(photoName))
        .arg(qty)
        .arg(money(unitPrice), money(extPrice));
}

qint64 wholeCents(double amount)
{
    constexpr double kBound = 1e14; // cents: a trillion in money, far beyond any sale
    if (std::isnan(amount))
        return 0;
    return qRound64(std::clamp(amount * 100.0, -kBound, kBound));
}

QList<FreeSheetRecord> splitFreeSheets(qint64 count, qint64 totalCents)
{
    if (count <= 0)
        return {{count, 0}};
    // Whole cents per sheet: the remainder goes one cent at a time to the first sheets, which
    // then form a record of their own.
    const qint64 base = totalCents / count;
    const qint64 rest = totalCents - base * count;
    const qint64 step = rest < 0 ? -1 : 1;
    const qint64 odd = rest < 0 ? -rest : rest;
    QList<FreeSheetRecord> records;
    if (odd != 0)
        records.append({odd, base + step});
    if (count - odd != 0)
        records.append({count - odd, base});
    return records;
}

QByteArray pendingInvoiceText(const QVariantMap& order, const PseudoPackage& freeSheet,
                              const PseudoPackage& discountRecord, const QDateTime& writtenAt)
{
    QString text = QStringLiteral("versNum\torderNumber\torderDate\torderTime\torderList ( "
                                  "upcName, displayName, photoName, qty, unitPrice, extPrice)");
    text += QLatin1Char('\r');
    text += QStringLiteral("V1002\t");
    text += formatDate(writtenAt, QStringLiteral("MM/dd/yy\tHH:mm aaa"));
    text += QLatin1Char('\t');

    const QVariantList packages = order.value(QStringLiteral("listOfPackages")).toList();
    for (const QVariant& item : packages) {
        const QVariantMap entry = item.toMap();
        text += pendingInvoiceRecord(
            entry.value(QStringLiteral("pkgPLU")).toString(),
            entry.value(QStringLiteral("pkgDisplayName")).toString(),
            QFileInfo(entry.value(QStringLiteral("name")).toString()).fileName(),
            Settings::toInteger(entry.value(QStringLiteral("pkgQty"))),
            float(Settings::toDouble(entry.value(QStringLiteral("pkgUnitPrice")))),
            float(Settings::toDouble(entry.value(QStringLiteral("pkgTotal")))));
    }

    const qint64 freeSheets = Settings::toInteger(order.value(QStringLiteral("freeSheets")));
    if (freeSheets != 0) {
        // What the free sheets take off: the record's own total when it has one (a value capped
        // at what the order had left), else count x unit price.
        const double value = freeSheet.total ? double(*freeSheet.total)
                                             : double(freeSheets) * double(freeSheet.unitPrice);
        for (const FreeSheetRecord& part : splitFreeSheets(freeSheets, wholeCents(value)))
            text += pendingInvoiceRecord(freeSheet.plu, freeSheet.displayName, freeSheet.name,
                                         part.qty, double(part.unitCents) / 100.0,
                                         double(part.qty * part.unitCents) / 100.0);
    }

    if (order.contains(QStringLiteral("discountAmt"))) {
        const float amount = -float(Settings::toDouble(order.value(QStringLiteral("discountAmt"))));
        if (amount != 0.0f) {
            text += pendingInvoiceRecord(discountRecord.plu, discountRecord.displayName,
                                         discountRecord.name, 1, amount, amount);
        }
    }
    return text.toUtf8();
}

} // namespace kivo
