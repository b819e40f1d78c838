#include "SalesChart.h"

#include "output/DayReport.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kivo::reporttool {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SalesChart", text);
}

// A step of 1, 2 or 5 times a power of ten that divides MAXIMUM into at most five parts.
double gridStep(double maximum)
{
    const double raw = std::max(maximum, 1.0) / 5.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * magnitude >= raw)
            return factor * magnitude;
    }
    return 10.0 * magnitude;
}

QFont font(int pixelSize, bool bold = false)
{
    QFont f;
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

QImage salesChart(const DayReport& report, const QSize& size)
{
    // Opening hours of a shopping centre, widened to every hour that had an order.
    int first = 9;
    int last = 17;
    for (const HourSales& h : report.hours()) {
        first = std::min(first, h.hour);
        last = std::max(last, h.hour);
    }
    const int hourCount = last - first + 1;
    QList<double> known(hourCount, 0.0);
    QList<double> beforeTax(hourCount, 0.0);
    for (const HourSales& h : report.hours()) {
        known[h.hour - first] = double(h.figures.total) / 100.0;
        beforeTax[h.hour - first] =
            double(h.taxNotKnown.subTotal - h.taxNotKnown.discounts) / 100.0;
    }
    double maximum = 0.0;
    for (int i = 0; i < hourCount; ++i)
        maximum = std::max(maximum, known[i] + beforeTax[i]);
    const double step = gridStep(maximum);
    const double top = step * std::max(1.0, std::ceil(maximum / step));

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect plot(120, 90, size.width() - 150, size.height() - 170);

    const SalesFigures day = report.dayTotals();
    const SalesFigures unknown = report.taxNotKnown();
    const QString dayText = report.day().toString(Qt::ISODate);
    QString title = report.orderCount() == 1
                        ? tr("Sales per hour, %1: 1 order").arg(dayText)
                        : tr("Sales per hour, %1: %2 orders").arg(dayText).arg(report.orderCount());
    title += tr(", total %1").arg(DayReport::money(day.total));
    if (unknown.orders > 0)
        title +=
            tr(" and %1 before tax").arg(DayReport::money(unknown.subTotal - unknown.discounts));
    p.setFont(font(26, true));
    p.setPen(Qt::black);
    p.drawText(QRect(0, 10, size.width(), 40), Qt::AlignCenter, title);

    // Grid lines with the amounts on the left.
    p.setFont(font(18));
    for (double value = 0.0; value <= top + step / 2; value += step) {
        const int y = plot.bottom() - int(std::lround(value / top * plot.height()));
        p.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 1));
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(Qt::black);
        p.drawText(QRect(0, y - 12, plot.left() - 10, 24), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(value, 'f', step < 1.0 ? 2 : 0));
    }

    const QColor knownColour(0x1f, 0x6f, 0xb2);
    const QColor beforeTaxColour(0x9e, 0xc8, 0xe8);
    const double slotWidth = double(plot.width()) / hourCount;
    for (int i = 0; i < hourCount; ++i) {
        const int x = plot.left() + int(i * slotWidth + slotWidth * 0.15);
        const int width = std::max(1, int(slotWidth * 0.7));
        const int knownHeight = int(std::lround(known[i] / top * plot.height()));
        const int extraHeight = int(std::lround(beforeTax[i] / top * plot.height()));
        p.fillRect(QRect(x, plot.bottom() - knownHeight, width, knownHeight), knownColour);
        p.fillRect(QRect(x, plot.bottom() - knownHeight - extraHeight, width, extraHeight),
                   beforeTaxColour);
        p.setPen(Qt::black);
        p.setFont(font(slotWidth < 60 ? 13 : 16));
        if (known[i] + beforeTax[i] > 0.0)
            p.drawText(QRect(int(plot.left() + i * slotWidth),
                             plot.bottom() - knownHeight - extraHeight - 24, int(slotWidth), 22),
                       Qt::AlignCenter, QString::number(known[i] + beforeTax[i], 'f', 2));
        p.setFont(font(18));
        p.drawText(QRect(int(plot.left() + i * slotWidth), plot.bottom() + 6, int(slotWidth), 24),
                   Qt::AlignCenter, QStringLiteral("%1").arg(first + i, 2, 10, QLatin1Char('0')));
    }
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());

    p.setFont(font(20));
    p.drawText(QRect(plot.left(), plot.bottom() + 34, plot.width(), 28), Qt::AlignCenter,
               tr("Hour of the day"));
    p.save();
    p.translate(24, plot.center().y());
    p.rotate(-90);
    p.drawText(QRect(-plot.height() / 2, -14, plot.height(), 28), Qt::AlignCenter,
               tr("Sales (total)"));
    p.restore();

    if (unknown.orders > 0) {
        // Under the title, clear of the axes and their labels.
        const QRect swatch(plot.left() + 10, 52, 20, 20);
        p.fillRect(swatch, beforeTaxColour);
        p.setFont(font(16));
        p.drawText(QRect(swatch.right() + 8, swatch.top() - 4, plot.width(), 28),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   unknown.orders == 1
                       ? tr("before tax: 1 order whose tax is not known")
                       : tr("before tax: %1 orders whose tax is not known").arg(unknown.orders));
    }
    return image;
}

} // namespace kivo::reporttool
