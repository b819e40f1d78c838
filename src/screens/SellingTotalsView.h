#pragma once

#include "screens/SellingTotals.h"

#include <QWidget>

namespace kivo {

class ValueLabel;

// The selling screen's figures: the selected photo's subtotal and sheets, the whole order's
// subtotal and sheets, and the order's print items and USB items.
class SellingTotalsView : public QWidget
{
    Q_OBJECT

public:
    explicit SellingTotalsView(QWidget* parent = nullptr);

    void setTotals(const kivo::SellingTotals& totals);

    ValueLabel* photoSubtotal() const { return m_photoSubtotal; }
    ValueLabel* orderSubtotal() const { return m_orderSubtotal; }
    ValueLabel* printItems() const { return m_printItems; }
    ValueLabel* usbItems() const { return m_usbItems; }
    ValueLabel* photoSheets() const { return m_photoSheets; }
    ValueLabel* orderSheets() const { return m_orderSheets; }

private:
    ValueLabel* m_photoSubtotal = nullptr;
    ValueLabel* m_orderSubtotal = nullptr;
    ValueLabel* m_printItems = nullptr;
    ValueLabel* m_usbItems = nullptr;
    ValueLabel* m_photoSheets = nullptr;
    ValueLabel* m_orderSheets = nullptr;
};

} // namespace kivo
