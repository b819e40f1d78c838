#include "imaging/ui/MaskView.h"

#include "imaging/CropGeometry.h"

#include <QPainter>

namespace kivo {

MaskView::MaskView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KIVOMaskView"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void MaskView::setShowsRegion(const QString& title, bool shown)
{
    if (title.compare(QLatin1String("8x10"), Qt::CaseInsensitive) == 0)
        m_shows8x10 = shown;
    else if (title.compare(QLatin1String("5x7"), Qt::CaseInsensitive) == 0)
        m_shows5x7 = shown;
    else if (title.compare(QLatin1String("4x6"), Qt::CaseInsensitive) == 0)
        m_shows4x6 = shown;
    update();
}

void MaskView::setAspectRatio(double ratio)
{
    m_aspectRatio = ratio;
    update();
}

void MaskView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QSizeF size(width(), height());
    if (m_aspectRatio > 1.0) {
        // Laid out as a portrait and turned a quarter to the left.
        p.translate(0, height());
        p.rotate(-90);
        size.transpose();
    }
    p.setPen(Qt::white);
    for (const MaskBand& band : maskBands(size, m_shows8x10, m_shows5x7)) {
        QColor shade = QColor::fromRgbF(float(band.white), float(band.white), float(band.white));
        shade.setAlphaF(float(kMaskAlpha));
        p.fillRect(band.rect, shade);
        p.drawText(band.rect, Qt::AlignCenter,
                   band.region == MaskBand::Region::EightByTen ? tr("8 x 10 Crop Region")
                                                               : tr("5 x 7 Crop Region"));
    }
}

} // namespace kivo
