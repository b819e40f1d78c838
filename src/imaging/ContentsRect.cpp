#include "imaging/ContentsRect.h"

#include "imaging/ImageOrientation.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

bool sameSize(const QRectF& a, const QRectF& b)
{
    return qFuzzyCompare(1.0 + a.width(), 1.0 + b.width()) &&
           qFuzzyCompare(1.0 + a.height(), 1.0 + b.height());
}

bool sameRect(const QRectF& a, const QRectF& b)
{
    return sameSize(a, b) && qFuzzyCompare(1.0 + a.x(), 1.0 + b.x()) &&
           qFuzzyCompare(1.0 + a.y(), 1.0 + b.y());
}

QRectF keptInside(QRectF r)
{
    r.setWidth(std::min(r.width(), 1.0));
    r.setHeight(std::min(r.height(), 1.0));
    r.moveTo(std::clamp(r.x(), 0.0, 1.0 - r.width()), std::clamp(r.y(), 0.0, 1.0 - r.height()));
    return r;
}

} // namespace

void ContentsRect::setImage(const QSize& naturalSize, int orientation)
{
    m_natural = naturalSize.isValid() && !naturalSize.isEmpty() ? naturalSize : QSize();
    m_orientation = orientation >= 1 && orientation <= 8 ? orientation : 1;
    m_rect = QRectF(0, 0, 1, 1);
    zoomImageToFit();
}

void ContentsRect::setViewSize(const QSizeF& viewSize)
{
    m_view = viewSize;
    if (!hasImage())
        return;
    // A reshaped view keeps the centre of what it showed.
    const QPointF centre = m_rect.center();
    QRectF r = normalized(m_rect);
    r.moveCenter(centre);
    m_rect = keptInside(r);
}

bool ContentsRect::hasImage() const
{
    return !m_natural.isEmpty() && !m_view.isEmpty();
}

bool ContentsRect::hasImplicitRotation() const
{
    return orientationSwapsSides(qint16(m_orientation));
}

QSizeF ContentsRect::imageSize() const
{
    const QSizeF natural(m_natural);
    return hasImplicitRotation() ? natural.transposed() : natural;
}

double ContentsRect::aspectX() const
{
    const QSizeF image = imageSize();
    if (image.isEmpty() || m_view.isEmpty())
        return 0;
    return (image.width() / image.height()) / (m_view.width() / m_view.height());
}

QSizeF ContentsRect::layerSize() const
{
    return hasImplicitRotation() ? m_view.transposed() : m_view;
}

QRectF ContentsRect::normalized(const QRectF& in) const
{
    QRectF r(in.topLeft(), QSizeF(std::abs(in.width()), std::abs(in.height())));
    r.setWidth(std::clamp(r.width(), kMinExtent, 1.0));
    r.setHeight(std::clamp(r.height(), kMinExtent, 1.0));
    double a = aspectX();
    if (a > 0) {
        // In the stored photo's axes a quarter turn swaps the proportions.
        if (hasImplicitRotation())
            a = 1 / a;
        if (a < 1)
            r.setHeight(a * r.width());
        else
            r.setWidth(r.height() / a);
    }
    return keptInside(r);
}

bool ContentsRect::setRect(const QRectF& r)
{
    const QRectF n = normalized(r);
    if (sameRect(n, m_rect))
        return false;
    m_rect = n;
    return true;
}

double ContentsRect::zoomFactorForContentsRect(const QRectF& r) const
{
    if (!hasImage() || r.width() <= 0)
        return 0;
    return layerSize().width() / (r.width() * m_natural.width());
}

double ContentsRect::zoomFactor() const
{
    return zoomFactorForContentsRect(m_rect);
}

double ContentsRect::zoomFactorMin() const
{
    return zoomFactorForContentsRect(QRectF(0, 0, 1, 1));
}

double ContentsRect::zoomFactorMax() const
{
    return zoomFactorForContentsRect(QRectF(0, 0, 0.2, 0.2));
}

bool ContentsRect::setZoomFactor(double z)
{
    if (!hasImage() || !(z > 0) || !std::isfinite(z))
        return false;
    const QSizeF layer = layerSize();
    const double w = layer.width() / (z * m_natural.width());
    const double h = layer.height() / (z * m_natural.height());
    QRectF r(m_rect.x() + (m_rect.width() - w) / 2, m_rect.y() + (m_rect.height() - h) / 2, w, h);
    r = normalized(r);
    if (sameSize(r, m_rect))
        return false;
    m_rect = r;
    return true;
}

bool ContentsRect::zoomIn()
{
    if (!hasImage())
        return false;
    const QRectF r = m_rect.adjusted(kZoomStep, kZoomStep, -kZoomStep, -kZoomStep);
    if (r.width() < kZoomStep || r.height() < kZoomStep)
        return false;
    return setRect(r);
}

bool ContentsRect::zoomOut()
{
    if (!hasImage())
        return false;
    const QRectF r = normalized(m_rect.adjusted(-kZoomStep, -kZoomStep, kZoomStep, kZoomStep));
    if (r.width() <= m_rect.width() && r.height() <= m_rect.height())
        return false;
    m_rect = r;
    return true;
}

bool ContentsRect::zoomImageToFit()
{
    if (!hasImage())
        return false;
    QRectF r = normalized(QRectF(0, 0, 1, 1));
    r.moveTo((1 - r.width()) / 2, (1 - r.height()) / 2);
    if (sameRect(r, m_rect))
        return false;
    m_rect = r;
    return true;
}

bool ContentsRect::zoomImageToActualSize()
{
    return setZoomFactor(1.0);
}

bool ContentsRect::zoomImageToRect(const QRectF& pixels)
{
    if (!hasImage())
        return false;
    const double w = m_natural.width();
    const double h = m_natural.height();
    return setRect(QRectF(pixels.x() / w, pixels.y() / h, pixels.width() / w, pixels.height() / h));
}

QRectF ContentsRect::visibleImageRect() const
{
    const double w = m_natural.width();
    const double h = m_natural.height();
    return QRectF(m_rect.x() * w, m_rect.y() * h, m_rect.width() * w, m_rect.height() * h);
}

QTransform ContentsRect::uprightTransform() const
{
    if (m_natural.isEmpty())
        return {};
    // The orientation table works with the y axis pointing up; flipping y on both sides gives
    // the same mapping in the top-down pixel rows the view draws (as the loader does).
    const double w = m_natural.width();
    const double h = m_natural.height();
    const QTransform t = orientationMatrix(qint16(m_orientation), float(w), float(h));
    const QTransform flipIn(1, 0, 0, -1, 0, h);
    const QTransform flipOut(1, 0, 0, -1, 0, hasImplicitRotation() ? w : h);
    return flipIn * t * flipOut;
}

QTransform ContentsRect::imageToViewTransform() const
{
    if (!hasImage())
        return {};
    const QTransform upright = uprightTransform();
    const QRectF shown = upright.mapRect(visibleImageRect());
    return upright * QTransform::fromTranslate(-shown.x(), -shown.y()) *
           QTransform::fromScale(m_view.width() / shown.width(), m_view.height() / shown.height());
}

QRectF ContentsRect::convertViewRectToImageRect(const QRectF& viewRect) const
{
    if (!hasImage())
        return {};
    return imageToViewTransform().inverted().mapRect(viewRect);
}

bool ContentsRect::scrollDeltaPoint(const QPointF& d)
{
    if (!hasImage())
        return false;
    const QTransform u = uprightTransform();
    const QTransform turn(u.m11(), u.m12(), u.m21(), u.m22(), 0, 0);
    const QPointF stored = turn.inverted().map(d);
    return setRect(
        m_rect.translated(-stored.x() / m_natural.width(), -stored.y() / m_natural.height()));
}

bool ContentsRect::scrollByViewDelta(const QPointF& d)
{
    const double z = zoomFactor();
    return z > 0 && scrollDeltaPoint(d / z);
}

bool ContentsRect::scrollLeft()
{
    return scrollDeltaPoint(
        QPointF(0.01 * uprightTransform().mapRect(visibleImageRect()).width(), 0));
}

bool ContentsRect::scrollRight()
{
    return scrollDeltaPoint(
        QPointF(-0.01 * uprightTransform().mapRect(visibleImageRect()).width(), 0));
}

bool ContentsRect::scrollUp()
{
    return scrollDeltaPoint(
        QPointF(0, 0.01 * uprightTransform().mapRect(visibleImageRect()).height()));
}

bool ContentsRect::scrollDown()
{
    return scrollDeltaPoint(
        QPointF(0, -0.01 * uprightTransform().mapRect(visibleImageRect()).height()));
}

bool ContentsRect::scrollToCenter()
{
    if (!hasImage())
        return false;
    return setRect(
        QRectF(QPointF((1 - m_rect.width()) / 2, (1 - m_rect.height()) / 2), m_rect.size()));
}

} // namespace kivo
