#pragma once

#include <QString>
#include <QVariantMap>

namespace kivo {

// One package line of a photo's order. A plain value: copying a line copies every field, so a
// copy can be changed without touching its source.
class LineItem
{
public:
    LineItem() = default;
    LineItem(const LineItem&) = default;
    LineItem& operator=(const LineItem&) = default;

    LineItem copy() const { return *this; }

    // The ten fields, one a line, for the log.
    QString description() const;

    // The property-list form: the ten fields under their own names, numbers as numbers
    // (quantities as integers, prices as reals). Strings that were never set are left out.
    QVariantMap toVariantMap() const;

    const QString& pkgDisplayName() const { return m_pkgDisplayName; }
    const QString& pkgKivoPkgName() const { return m_pkgKivoPkgName; }
    const QString& pkgPLU() const { return m_pkgPLU; }
    float pkgUnitPrice() const { return m_pkgUnitPrice; }
    int pkgQty() const { return m_pkgQty; }
    float pkgTotal() const { return m_pkgTotal; }
    int pkgAltQty() const { return m_pkgAltQty; }
    int pkgHasExtraCount() const { return m_pkgHasExtraCount; }
    int pkgPrePrintQty() const { return m_pkgPrePrintQty; }
    const QString& pkgType() const { return m_pkgType; }

    void setPkgDisplayName(const QString& value) { m_pkgDisplayName = value; }
    void setPkgKivoPkgName(const QString& value) { m_pkgKivoPkgName = value; }
    void setPkgPLU(const QString& value) { m_pkgPLU = value; }
    void setPkgUnitPrice(float value) { m_pkgUnitPrice = value; }
    void setPkgQty(int value) { m_pkgQty = value; }
    void setPkgTotal(float value) { m_pkgTotal = value; }
    void setPkgAltQty(int value) { m_pkgAltQty = value; }
    void setPkgHasExtraCount(int value) { m_pkgHasExtraCount = value; }
    void setPkgPrePrintQty(int value) { m_pkgPrePrintQty = value; }
    void setPkgType(const QString& value) { m_pkgType = value; }

    // The extended price as every part of the station computes it: the quantity as a 32-bit
    // float times the unit price.
    float extendedPrice() const { return static_cast<float>(m_pkgQty) * m_pkgUnitPrice; }

    bool operator==(const LineItem&) const = default;

private:
    QString m_pkgDisplayName;
    QString m_pkgKivoPkgName;
    QString m_pkgPLU;
    float m_pkgUnitPrice = 0.0f;
    int m_pkgQty = 0;
    float m_pkgTotal = 0.0f;
    int m_pkgAltQty = 0;
    int m_pkgHasExtraCount = 0;
    int m_pkgPrePrintQty = 0;
    QString m_pkgType;
};

} // namespace kivo
