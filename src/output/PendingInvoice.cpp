#include "output/PendingInvoice.h"

#include "core/DateFormat.h"
#include "core/Settings.h"

#include <QFileInfo>

namespace kivo {

namespace {

QString money(double value)
{
    // "%2.2f": at least two characters, two decimals, a leading minus sign when negative.
    return QString::asprintf("%2.2f", value);
}

} // namespace

QString pendingInvoiceRecord(const QString& plu, const QString& displayName,
                             const QString& photoName, qint64 qty, double unitPrice,
                             double extPrice)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6~")
        .arg(plu, displayName, photoName)
        .arg(qty)
        .arg(money(unitPrice), money(extPrice));
}

QByteArray pendingInvoiceText(const QVariantMap& order, const QVariantMap& freeSheet,
                              const QVariantMap& discountRecord, const QDateTime& writtenAt)
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
        const float unit =
            float(Settings::toDouble(freeSheet.value(QStringLiteral("pkgUnitPrice"))));
        text += pendingInvoiceRecord(freeSheet.value(QStringLiteral("pkgPLU")).toString(),
                                     freeSheet.value(QStringLiteral("pkgDisplayName")).toString(),
                                     freeSheet.value(QStringLiteral("name")).toString(), freeSheets,
                                     unit, float(freeSheets) * unit);
    }

    if (order.contains(QStringLiteral("discountAmt"))) {
        const float amount = -float(Settings::toDouble(order.value(QStringLiteral("discountAmt"))));
        if (amount != 0.0f) {
            text += pendingInvoiceRecord(
                discountRecord.value(QStringLiteral("pkgPLU")).toString(),
                discountRecord.value(QStringLiteral("pkgDisplayName")).toString(),
                discountRecord.value(QStringLiteral("name")).toString(), 1, amount, amount);
        }
    }
    return text.toUtf8();
}

} // namespace kivo
