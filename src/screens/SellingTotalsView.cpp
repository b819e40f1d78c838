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
    // NAME is the value's fixed accessible name in every language; its caption is translated.
    const auto add = [this, grid](const char* name, const char* objectName, int row, int column) {
        auto* caption = ValueLabel::caption(tr(name), this);
        auto* value =
            new ValueLabel(QString::fromLatin1(name), QString::fromLatin1(objectName), this);
        value->setProperty("total", true);
        grid->addWidget(caption, row * 2, column);
        grid->addWidget(value, row * 2 + 1, column);
        return value;
    };
    m_photoSubtotal = add(QT_TR_NOOP("Photo subtotal"), "photoSubtotal", 0, 0);
    m_photoSheets = add(QT_TR_NOOP("Photo sheets"), "photoSheets", 0, 1);
    m_printItems = add(QT_TR_NOOP("Print items"), "printItems", 0, 2);
    m_orderSubtotal = add(QT_TR_NOOP("Order subtotal"), "orderSubtotal", 1, 0);
    m_orderSheets = add(QT_TR_NOOP("Order sheets"), "orderSheets", 1, 1);
    m_usbItems = add(QT_TR_NOOP("USB items"), "usbItems", 1, 2);
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
