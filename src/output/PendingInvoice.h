#pragma once

#include "orders/OrderLine.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QVariantMap>

namespace kivo {

// The pending-invoice text for the point-of-sale system, from the full-order dictionary as read
// back from its file: the header line closed by a carriage return, then "V1002", the date and
// time of WRITTEN_AT and one "~"-closed record per package entry, the free-sheets record and the
// discount record. UTF-8, no byte-order mark, no final line break.
QByteArray pendingInvoiceText(const QVariantMap& order, const PseudoPackage& freeSheetPackageInfo,
                              const PseudoPackage& discountAmounts, const QDateTime& writtenAt);

// AMOUNT in whole cents, rounded half away from zero. A file that was edited or damaged can hold
// any number: amounts beyond a trillion either way are held at that bound and a value that is
// not a number counts as nothing, so no amount read from a file overflows the arithmetic.
qint64 wholeCents(double amount);

// One free-sheets record: QTY sheets at UNIT_CENTS each (negative: taken off).
struct FreeSheetRecord
{
    qint64 qty = 0;
    qint64 unitCents = 0;
};

// COUNT free sheets worth TOTAL_CENTS in all, as records whose quantity x unit price is their
// amount to the cent and which add up to TOTAL_CENTS: one record when the amount divides evenly,
// else the sheets that take one cent more first, then the rest. A count of 0 or less is one
// record of that count at 0.
QList<FreeSheetRecord> splitFreeSheets(qint64 count, qint64 totalCents);

// One record: "PLU,display name,photo,qty,unit,ext~" with two-decimal amounts.
QString pendingInvoiceRecord(const QString& plu, const QString& displayName,
                             const QString& photoName, qint64 qty, double unitPrice,
                             double extPrice);

} // namespace kivo
