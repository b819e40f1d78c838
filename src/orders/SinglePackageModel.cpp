#include "orders/SinglePackageModel.h"

#include "core/ConsoleLog.h"
#include "orders/Logging.h"

namespace kivo {

SinglePackageModel::SinglePackageModel(QObject* parent) : QObject(parent) {}

void SinglePackageModel::assignValue(qint16 quantity)
{
    if (quantity == m_packageQtyValue)
        return;
    consoleLog(
        lcOrders(), "SinglePackageModel", "assignValue",
        QStringLiteral("packageQtyValue old=[%1] new=[%2]").arg(m_packageQtyValue).arg(quantity));
    m_packageQtyValue = quantity;
    emit packageQtyValueChanged(quantity);
    calculateSubTotal();
}

void SinglePackageModel::assignAltValue(qint16 quantity)
{
    if (quantity == m_altPackageQtyValue)
        return;
    m_altPackageQtyValue = quantity;
}

void SinglePackageModel::assignHasExtraCountValue(qint16 value)
{
    if (value != m_hasExtraCount)
        m_hasExtraCount = value;
}

void SinglePackageModel::assignPrePrintedQtyValue(qint16 value)
{
    m_prePrintedQtyValue = value;
}

void SinglePackageModel::assignUnitPrice(float price)
{
    // A NaN on either side compares unordered, which counts as a change.
    if (price == m_unitPrice)
        return;
    m_unitPrice = price;
    calculateSubTotal();
}

void SinglePackageModel::calculateSubTotal()
{
    m_subTotal = static_cast<float>(m_packageQtyValue) * m_unitPrice;
}

void SinglePackageModel::showInfo() const
{
    consoleLog(lcOrders(), "SinglePackageModel", "showInfo",
               QStringLiteral("packageName=[%1] packagePLU=[%2] packageQtyValue=[%3] "
                              "subTotal=[%4] unitPrice=[%5] altPackageQtyValue=[%6] "
                              "hasExtraCount=[%7] prePrintedQtyValue=[%8] pkgType=[%9]")
                   .arg(m_packageName, m_packagePLU)
                   .arg(m_packageQtyValue)
                   .arg(double(m_subTotal), 0, 'f', 2)
                   .arg(double(m_unitPrice), 0, 'f', 2)
                   .arg(m_altPackageQtyValue)
                   .arg(m_hasExtraCount)
                   .arg(m_prePrintedQtyValue)
                   .arg(m_pkgType));
}

} // namespace kivo
