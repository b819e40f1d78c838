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
    // Three columns: the photo's figures over the order's, money first.
    const auto add = [this, grid](const QString& name, const char* objectName, int row,
                                  int column) {
        auto* caption = ValueLabel::caption(name, this);
        auto* value = new ValueLabel(name, QString::fromLatin1(objectName), this);
        value->setProperty("total", true);
        grid->addWidget(caption, row * 2, column);
        grid->addWidget(value, row * 2 + 1, column);
        return value;
    };
    m_photoSubtotal = add(tr("Photo subtotal"), "photoSubtotal", 0, 0);
    m_photoSheets = add(tr("Photo sheets"), "photoSheets", 0, 1);
    m_printItems = add(tr("Print items"), "printItems", 0, 2);
    m_orderSubtotal = add(tr("Order subtotal"), "orderSubtotal", 1, 0);
    m_orderSheets = add(tr("Order sheets"), "orderSheets", 1, 1);
    m_usbItems = add(tr("USB items"), "usbItems", 1, 2);
    setTotals(SellingTotals());
}

void SellingTotalsView::setTotals(const SellingTotals& totals)
{
    m_photoSubtotal->setValue(moneyText(totals.photoSubTotal));
    m_orderSubtotal->setValue(moneyText(totals.orderSubTotal));
    m_printItems->setValue(QString::number(totals.printItems));
    m_usbItems->setValue(QString::number(totals.usbItems));
    m_photoSheets->setValue(QString::number(totals.photoSheets));
    m_orderSheets->setValue(QString::number(totals.orderSheets));
}

} // namespace kivo
