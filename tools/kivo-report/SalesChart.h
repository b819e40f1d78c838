#pragma once

#include <QImage>
#include <QSize>

namespace kivo {
class DayReport;
} // namespace kivo

namespace kivo::reporttool {

// A bar chart of the day's sales per hour: one bar an hour (the day's usual opening hours and
// every hour with an order), its height the hour's total, labelled with the amount. Orders whose
// tax is not known stack on top at their amount before tax, in a lighter colour named in a legend.
QImage salesChart(const DayReport& report, const QSize& size = QSize(1200, 675));

} // namespace kivo::reporttool
