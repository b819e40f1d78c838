#pragma once

#include "output/ReceiptContent.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace kivo {

// Draws a receipt: the sections stacked top to bottom in a column as wide as the printable width
// of an 80 mm receipt roll (72 mm), in points, onto a PDF page of exactly the receipt's size. That
// PDF is both the kept copy and what the printers get (CUPS fits it to their paper), so every
// printer gives the same receipt. Needs Qt Gui only, and runs on any thread.
class ReceiptRenderer
{
public:
    static constexpr qreal kWidthPoints = 204.0; // 72 mm

    explicit ReceiptRenderer(ReceiptContent content);

    // The image shown at the top of the header; none by default. The station uses the "logo"
    // resource.
    void setLogo(const QImage& logo) { m_logo = logo; }
    static QImage defaultLogo();

    // The receipt's height in points for kWidthPoints.
    qreal heightPoints() const;

    // Draws at the painter's origin in points (1 unit = 1 point).
    void paint(QPainter* painter) const;

    // Draws onto DEVICE (a QPdfWriter, or any paged device), fitted to its page. False when the
    // painter could not begin.
    bool paintOnPage(QPagedPaintDevice* device) const;

    // The PDF copy: one page the size of the receipt.
    QByteArray pdf(const QString& title = QString()) const;

private:
    qreal layout(QPainter* painter) const; // draws when PAINTER is set; returns the height

    ReceiptContent m_content;
    QImage m_logo;
};

} // namespace kivo
