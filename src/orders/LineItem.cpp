#include "orders/LineItem.h"

namespace kivo {

QString LineItem::description() const
{
    return QStringLiteral("pkgDisplayName=[%1]\npkgKivoPkgName=[%2]\npkgPLU=[%3]\n"
                          "pkgUnitPrice=[%4]\npkgQty=[%5]\npkgTotal=[%6]\npkgAltQty=[%7]\n"
                          "pkgHasExtraCount=[%8]\npkgPrePrintQty=[%9]\npkgType=[%10]")
        .arg(m_pkgDisplayName, m_pkgKivoPkgName, m_pkgPLU)
        .arg(double(m_pkgUnitPrice), 0, 'f', 2)
        .arg(m_pkgQty)
        .arg(double(m_pkgTotal), 0, 'f', 2)
        .arg(m_pkgAltQty)
        .arg(m_pkgHasExtraCount)
        .arg(m_pkgPrePrintQty)
        .arg(m_pkgType);
}

QVariantMap LineItem::toVariantMap() const
{
    QVariantMap map;
    auto putString = [&map](const char* key, const QString& value) {
        if (!value.isNull())
            map.insert(QLatin1String(key), value);
    };
    putString("pkgDisplayName", m_pkgDisplayName);
    putString("pkgKivoPkgName", m_pkgKivoPkgName);
    putString("pkgPLU", m_pkgPLU);
    putString("pkgType", m_pkgType);
    map.insert(QStringLiteral("pkgUnitPrice"), double(m_pkgUnitPrice));
    map.insert(QStringLiteral("pkgTotal"), double(m_pkgTotal));
    map.insert(QStringLiteral("pkgQty"), qint64(m_pkgQty));
    map.insert(QStringLiteral("pkgAltQty"), qint64(m_pkgAltQty));
    map.insert(QStringLiteral("pkgHasExtraCount"), qint64(m_pkgHasExtraCount));
    map.insert(QStringLiteral("pkgPrePrintQty"), qint64(m_pkgPrePrintQty));
    return map;
}

} // namespace kivo
