#pragma once

#include <QObject>
#include <QString>

namespace kivo {

// The state of one row of the package panel. The panel announces its rows' quantity changes
// itself, so that the photo on show copies them into its order.
class SinglePackageModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qint16 packageQtyValue READ packageQtyValue NOTIFY packageQtyValueChanged)

public:
    explicit SinglePackageModel(QObject* parent = nullptr);

    void assignName(const QString& name) { m_packageName = name; }
    void assignPLU(const QString& plu) { m_packagePLU = plu; }
    void assignPkgType(const QString& type) { m_pkgType = type; }

    // Change rules: a new quantity or a new unit price recomputes the subtotal; the same value
    // again does nothing.
    void assignValue(qint16 quantity);
    void assignAltValue(qint16 quantity);
    void assignHasExtraCountValue(qint16 value);
    void assignPrePrintedQtyValue(qint16 value);
    void assignUnitPrice(float price);
    void calculateSubTotal();
    void showInfo() const;

    const QString& packageName() const { return m_packageName; }
    const QString& packagePLU() const { return m_packagePLU; }
    qint16 packageQtyValue() const { return m_packageQtyValue; }
    float subTotal() const { return m_subTotal; }
    float unitPrice() const { return m_unitPrice; }
    qint16 altPackageQtyValue() const { return m_altPackageQtyValue; }
    qint16 hasExtraCount() const { return m_hasExtraCount; }
    qint16 prePrintedQtyValue() const { return m_prePrintedQtyValue; }
    const QString& pkgType() const { return m_pkgType; }

signals:
    void packageQtyValueChanged(qint16 quantity);

private:
    QString m_packageName;
    QString m_packagePLU;
    qint16 m_packageQtyValue = 0;
    float m_subTotal = 0.0f;
    float m_unitPrice = 0.0f;
    qint16 m_altPackageQtyValue = 0;
    qint16 m_hasExtraCount = 0;
    qint16 m_prePrintedQtyValue = 0;
    QString m_pkgType;
};

} // namespace kivo
