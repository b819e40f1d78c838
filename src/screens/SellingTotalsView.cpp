#include "screens/SellingTotalsView.h"

#include "screens/ValueLabel.h"

#include <QGridLayout>
#include <QLabel>

namespace kivo {

SellingTotalsView::SellingTotalsView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SellingTotals"));
    setAttribute(Qt::WA_StyledBackground);
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(4);
    int column = 0;
    const auto add = [this, grid, &column](const QString& name, const char* objectName) {
        auto* caption = ValueLabel::caption(name, this);
        auto* value = new ValueLabel(name, QString::fromLatin1(objectName), this);
        value->setProperty("total", true);
        grid->addWidget(caption, (column / 2) * 2, column % 2);
        grid->addWidget(value, (column / 2) * 2 + 1, column % 2);
        ++column;
        return value;
    };
    m_photoSubtotal = add(tr("Photo subtotal"), "ibSubTotal");
    m_orderSubtotal = add(tr("Order subtotal"), "ibSessionSubTotal");
    m_printItems = add(tr("Print items"), "ibPrintItems");
    m_usbItems = add(tr("USB items"), "ibUsbItems");
    setTotals(SellingTotals());
}

void SellingTotalsView::setTotals(const SellingTotals& totals)
{
    m_photoSubtotal->setValue(moneyText(totals.photoSubTotal));
    m_orderSubtotal->setValue(moneyText(totals.orderSubTotal));
    m_printItems->setValue(QString::number(totals.printItems));
    m_usbItems->setValue(QString::number(totals.usbItems));
}

} // namespace kivo
