#include "orders/SessionOrderEntry.h"

namespace kivo {

QVariantMap SessionOrderEntry::toVariantMap() const
{
    QVariantMap map;
    map.insert(QStringLiteral("name"), name);
    map.insert(QStringLiteral("orderedItem"), orderedItem.toVariantMap());
    map.insert(QStringLiteral("pkgPLU"), orderedItem.pkgPLU());
    map.insert(QStringLiteral("pkgQty"), qint64(orderedItem.pkgQty()));
    map.insert(QStringLiteral("pkgKivoPkgName"), orderedItem.pkgKivoPkgName());
    map.insert(QStringLiteral("pkgPrePrintQty"), qint64(orderedItem.pkgPrePrintQty()));
    map.insert(QStringLiteral("pkgType"), orderedItem.pkgType());
    if (isFirstItemUnit)
        map.insert(QStringLiteral("pkgDisplayName"), orderedItem.pkgDisplayName());
    if (isRepricedDrive)
        map.insert(QStringLiteral("pkgUnitPrice"), double(orderedItem.pkgUnitPrice()));
    return map;
}

} // namespace kivo
