#pragma once

#include <QString>

namespace kivo {

// Money as the selling screens show it: two decimals, the same figures the pending invoice and
// the receipt print ("12.50", "-3.00").
inline QString moneyText(float amount)
{
    return QString::asprintf("%.2f", double(amount));
}

// The figures of the selling screen: the selected photo's subtotal and units, the whole visit's
// subtotal and units, and the visit's split into print items and USB drive items.
struct SellingTotals
{
    float photoSubTotal = 0.0f;
    qint16 photoSheets = 0;
    float orderSubTotal = 0.0f;
    qint16 orderSheets = 0;
    qint16 printItems = 0;
    qint16 usbItems = 0;

    bool operator==(const SellingTotals&) const = default;
};

} // namespace kivo
