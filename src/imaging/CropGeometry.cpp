#include "imaging/CropGeometry.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

QList<CropOption> byRatio(QList<CropOption> options)
{
    std::stable_sort(options.begin(), options.end(), [](const CropOption& a, const CropOption& b) {
        return a.aspectRatio < b.aspectRatio;
    });
    return options;
}

} // namespace

double viewAspectRatio(const QList<CropOption>& selected, bool viewLandscape, double imageAspect)
{
    if (!selected.isEmpty()) {
        const double widest = byRatio(selected).last().aspectRatio;
        return viewLandscape ? widest : 1 / widest;
    }
    if (!(imageAspect > 0))
        return 1;
    const bool imageLandscape = imageAspect > 1.0;
    return viewLandscape == imageLandscape ? imageAspect : 1 / imageAspect;
}

QRectF reshapedViewFrame(const QRectF& bounds, double currentWidth, double aspect)
{
    if (!(aspect > 0) || bounds.isEmpty())
        return bounds;
    double h = bounds.height();
    double y = bounds.y();
    const double d = std::trunc(currentWidth - h * aspect);
    double w = currentWidth - d;
    double x = (bounds.width() - w) / 2;
    if (w > bounds.width()) {
        w = bounds.width();
        x = 0;
        h -= std::trunc(h - w / aspect);
        y = (bounds.height() - h) / 2;
    }
    return QRectF(x, y, w, h);
}

QList<QPair<QString, QRectF>> cropRectangles(const QRectF& visible,
                                             const QList<CropOption>& selected)
{
    QList<QPair<QString, QRectF>> out;
    const bool landscape = visible.width() > visible.height();
    for (const CropOption& crop : byRatio(selected)) {
        QRectF c = visible;
        if (landscape) {
            c.setWidth(crop.aspectRatio * visible.height());
            c.moveLeft(visible.x() + (visible.width() - c.width()) * 0.5);
        } else {
            c.setHeight(crop.aspectRatio * visible.width());
            c.moveTop(visible.y() + (visible.height() - c.height()) * 0.5);
        }
        out.append({crop.title, c});
    }
    return out;
}

bool isInsideImage(const QSizeF& imageSize, const QRectF& visible)
{
    const double x = std::trunc(visible.x());
    const double y = std::trunc(visible.y());
    const double w = std::trunc(visible.width());
    const double h = std::trunc(visible.height());
    return x >= 0 && y >= 0 && x + w <= imageSize.width() && y + h <= imageSize.height();
}

double zoomFactorToFit(const QSizeF& area, const QSizeF& imageSize)
{
    if (imageSize.isEmpty())
        return 0;
    return std::min(area.width() / imageSize.width(), area.height() / imageSize.height());
}

double zoomFactorToFill(const QSizeF& area, const QSizeF& imageSize)
{
    if (imageSize.isEmpty())
        return 0;
    return std::max(area.width() / imageSize.width(), area.height() / imageSize.height());
}

QList<MaskBand> maskBands(const QSizeF& portraitSize, bool shows8x10, bool shows5x7)
{
    const double w = portraitSize.width();
    const double h = portraitSize.height();
    // What a print of each shape leaves off at the top and at the bottom of the view.
    const double b8 = (h - w * 10 / 8) / 2;
    const double b5 = (h - w * 7 / 5) / 2;
    using Region = MaskBand::Region;
    QList<MaskBand> bands;
    const auto pair = [&](double from, double height, double white, Region region) {
        bands.append({QRectF(0, from, w, height), white, region});
        bands.append({QRectF(0, h - from - height, w, height), white, region});
    };
    if (shows8x10 && shows5x7) {
        // A view shaped to the 5 x 7 itself leaves that print nothing to cut (the whole-point
        // shaping may even leave it a fraction short): the 8 x 10's bands still show.
        const double five = std::max(b5, 0.0);
        if (b8 > five)
            pair(five, b8 - five, 0.4, Region::EightByTen);
        if (five > 0)
            pair(0, five, 0.2, Region::FiveBySeven);
    } else if (shows8x10 && b8 > 0) {
        pair(0, b8, 0.4, Region::EightByTen);
    } else if (shows5x7 && b5 > 0) {
        pair(0, b5, 0.4, Region::FiveBySeven);
    }
    return bands;
}

} // namespace kivo
