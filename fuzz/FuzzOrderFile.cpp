// The full-order file read back to make the point-of-sale system's pending invoice: every record
// closes with "~" and no field adds a record or a line of its own.
#include "FuzzSupport.h"

#include "core/PropertyList.h"
#include "output/PendingInvoice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kivo;
    const QVariant order = plist::fromData(fuzz::bytes(data, size));
    if (order.typeId() != QMetaType::QVariantMap)
        return 0;
    const PseudoPackage freeSheet{
        QStringLiteral("FREE"), QStringLiteral("Free"), QStringLiteral("freeSheet"), -2.0f, {}};
    const PseudoPackage discount{
        QStringLiteral("DISC"), QString(), QStringLiteral("Discount Amt"), 0.0f, {}};
    const QByteArray text = pendingInvoiceText(order.toMap(), freeSheet, discount,
                                               QDateTime(QDate(2026, 1, 2), QTime(3, 4)));

    // The header line, then one line of tab-separated fields closed by the records.
    const QList<QByteArray> lines = text.split('\r');
    if (lines.size() != 2 || lines.at(1).contains('\n'))
        fuzz::fail("an invoice field breaks the invoice's lines");
    const int records =
        static_cast<int>(order.toMap().value(QStringLiteral("listOfPackages")).toList().size());
    if (lines.at(1).count('~') < records)
        fuzz::fail("an invoice with fewer records than packages");
    const qsizetype lastTab = lines.at(1).lastIndexOf('\t');
    for (const QByteArray& record : lines.at(1).mid(lastTab + 1).split('~')) {
        if (!record.isEmpty() && record.count(',') != 5)
            fuzz::fail("an invoice record with a field too many or too few");
    }
    return 0;
}
