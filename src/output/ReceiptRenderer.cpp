#include "output/ReceiptRenderer.h"

#include "core/Paths.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace kivo {

namespace {

constexpr qreal kMargin = 6.0;
constexpr qreal kGap = 6.0;

QFont font(qreal pixels, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qRound(pixels));
    f.setBold(bold);
    return f;
}

// "$12.50"; an amount taken off reads "-$2.00".
QString money(float value)
{
    if (value < 0.0f)
        return QString::asprintf("-$%.2f", -double(value));
    return QString::asprintf("$%.2f", double(value));
}

// Draws (when PAINTER is set) or measures text in a box of WIDTH at Y; returns its height.
qreal text(QPainter* painter, const QFont& f, qreal y, qreal width, const QString& s,
           int flags = Qt::AlignLeft)
{
    const QFontMetricsF metrics(f);
    const QRectF box(kMargin, y, width, 10000.0);
    const QRectF used = metrics.boundingRect(box, flags | Qt::TextWordWrap, s);
    const qreal height = qMax(used.height(), metrics.height());
    if (painter) {
        painter->setFont(f);
        painter->drawText(QRectF(kMargin, y, width, height), flags | Qt::TextWordWrap, s);
    }
    return height;
}

// A label on the left and an amount on the right of one row.
qreal row(QPainter* painter, const QFont& f, qreal y, qreal width, const QString& label,
          const QString& value)
{
    const QFontMetricsF metrics(f);
    const qreal valueWidth = metrics.horizontalAdvance(value) + 4.0;
    const qreal h = text(painter, f, y, width - valueWidth, label);
    if (painter) {
        painter->setFont(f);
        painter->drawText(QRectF(kMargin, y, width, metrics.height()), Qt::AlignRight, value);
    }
    return h;
}

qreal rule(QPainter* painter, qreal y, qreal width)
{
    if (painter) {
        painter->setPen(QPen(Qt::black, 0.5));
        painter->drawLine(QPointF(kMargin, y + 3.0), QPointF(kMargin + width, y + 3.0));
    }
    return 6.0;
}

} // namespace

ReceiptRenderer::ReceiptRenderer(ReceiptContent content) : m_content(std::move(content)) {}

QImage ReceiptRenderer::defaultLogo()
{
    const QString path = paths::resourcePath(QStringLiteral("logo"), QStringLiteral("png"));
    return path.isEmpty() ? QImage() : QImage(path);
}

qreal ReceiptRenderer::heightPoints() const
{
    return layout(nullptr);
}

void ReceiptRenderer::paint(QPainter* painter) const
{
    layout(painter);
}

qreal ReceiptRenderer::layout(QPainter* p) const
{
    const ReceiptContent& c = m_content;
    const qreal width = kWidthPoints - 2 * kMargin;
    const QFont title = font(12, true);
    const QFont normal = font(8.5);
    const QFont bold = font(8.5, true);
    const QFont big = font(11, true);
    if (p)
        p->setPen(Qt::black);
    qreal y = kMargin;

    // The fixed labels are for the customer, so a site may translate them.
    // Header.
    if (!m_logo.isNull()) {
        const QSizeF size = QSizeF(m_logo.size()).scaled(QSizeF(width, 60.0), Qt::KeepAspectRatio);
        if (p)
            p->drawImage(
                QRectF(kMargin + (width - size.width()) / 2, y, size.width(), size.height()),
                m_logo);
        y += size.height() + 4.0;
    }
    y += text(p, title, y, width,
              QCoreApplication::translate("ReceiptRenderer", "PHOTO ORDER RECEIPT"),
              Qt::AlignHCenter);
    y += rule(p, y, width);

    // Body: one package line after the other, in order.
    for (const ReceiptLine& line : c.lines) {
        y += row(p, bold, y, width, line.fileName, money(line.total));
        y += text(p, normal, y, width, line.description);
        y += 3.0;
    }
    y += rule(p, y, width);

    // Subtotal block, only when something stands between the subtotal and the total.
    if (c.hasTotals && c.showSubTotal) {
        y += row(p, normal, y, width, QCoreApplication::translate("ReceiptRenderer", "Subtotal"),
                 money(c.subTotal));
        y += row(p, normal, y, width, QCoreApplication::translate("ReceiptRenderer", "Discount"),
                 money(c.discount));
        if (c.freeSheetValue != 0.0f)
            y += row(p, normal, y, width,
                     QCoreApplication::translate("ReceiptRenderer", "Free Sheets"),
                     money(-c.freeSheetValue));
        y += row(p, normal, y, width, c.taxDescription, money(c.tax));
        y += rule(p, y, width);
    }

    // Summary.
    if (c.hasTotals) {
        y += row(p, big, y, width, QCoreApplication::translate("ReceiptRenderer", "TOTAL"),
                 money(c.total));
        y += 2.0;
        y += row(p, normal, y, width, QCoreApplication::translate("ReceiptRenderer", "Prints"),
                 QString::number(c.totalPrints));
        y += row(p, normal, y, width, c.usbLabel, QString::number(c.totalUsbs));
        y += row(p, normal, y, width, QCoreApplication::translate("ReceiptRenderer", "Promos"),
                 QString::number(c.totalPromos));
        y += rule(p, y, width);
    }

    // Customer block, after the name prompt.
    if (c.customerName) {
        y += text(p, bold, y, width, c.thankYouLine, Qt::AlignHCenter);
        y += text(p, normal, y, width, c.dateTimeText, Qt::AlignHCenter);
        y += rule(p, y, width);
    }

    // Footer.
    y += kGap / 2;
    y += text(p, normal, y, width,
              QCoreApplication::translate(
                  "ReceiptRenderer", "Your photos are being printed. Please keep this receipt."),
              Qt::AlignHCenter);
    return y + kMargin;
}

bool ReceiptRenderer::paintOnPage(QPagedPaintDevice* device) const
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const qreal height = heightPoints();
    // Device pixels per point, and the page's printable size in points.
    const qreal perPoint = device->logicalDpiX() / 72.0;
    const QRectF page(0, 0, device->width() / perPoint, device->height() / perPoint);
    // Fit to the page both ways (never enlarged), centred horizontally, from the top.
    const qreal fit = qMin<qreal>(1.0, qMin(page.width() / kWidthPoints, page.height() / height));
    const qreal x = (page.width() - kWidthPoints * fit) / 2;
    painter.scale(perPoint, perPoint);
    painter.translate(x, 0);
    painter.scale(fit, fit);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(&painter);
    return painter.end();
}

QByteArray ReceiptRenderer::pdf(const QString& title) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kivo Sales Station"));
        writer.setResolution(288);
        // A page is kept upright: never shorter than it is wide.
        const QPageSize size(QSizeF(kWidthPoints, qMax(heightPoints(), kWidthPoints + 1)),
                             QPageSize::Point, QString(), QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (!paintOnPage(&writer))
            return {};
    }
    return bytes;
}

} // namespace kivo
