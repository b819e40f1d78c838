#include "screens/MovieLayout.h"

namespace kivo {

QSizeF constrainSize(const QSizeF& size, const QSizeF& limit)
{
    if (size.width() <= 0 || size.height() <= 0 || limit.width() <= 0 || limit.height() <= 0)
        return size;
    QSizeF s = size;
    // Two steps at most: the width first, then the height of what the width left.
    for (int i = 0; i < 4 && (s.width() > limit.width() || s.height() > limit.height()); ++i) {
        if (s.width() > limit.width())
            s = QSizeF(limit.width(), s.height() * limit.width() / s.width());
        else
            s = QSizeF(s.width() * limit.height() / s.height(), limit.height());
    }
    return s;
}

QRectF movieViewFrame(const QSizeF& movieSize, const QSizeF& area, bool playFullScreen)
{
    if (playFullScreen || movieSize.isEmpty())
        return QRectF(QPointF(0, 0), area);
    const QSizeF s = constrainSize(movieSize, area);
    const double y = qMax(0.0, area.height() - kMovieBottomMargin - s.height());
    return QRectF((area.width() - s.width()) / 2.0, y, s.width(), s.height());
}

} // namespace kivo
