#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QVariantMap>

namespace kivo {

// The pending-invoice text for the point-of-sale system, from the full-order dictionary as read
// back from its file: the header line closed by a carriage return, then "V1002", the date and
// time of WRITTEN_AT and one "~"-closed record per package entry, the free-sheets record and the
// discount record. UTF-8, no byte-order mark, no final line break.
QByteArray pendingInvoiceText(const QVariantMap& order, const QVariantMap& freeSheetPackageInfo,
                              const QVariantMap& discountAmtDictionary, const QDateTime& writtenAt);

// One record: "PLU,display name,photo,qty,unit,ext~" with two-decimal amounts.
QString pendingInvoiceRecord(const QString& plu, const QString& displayName,
                             const QString& photoName, qint64 qty, double unitPrice,
                             double extPrice);

} // namespace kivo
