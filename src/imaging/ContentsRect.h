#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QTransform>

// The visible part of a photo in the zoomable view, as a rectangle in unit coordinates of the
// photo as stored (0..1 on both axes, origin top-left, before the camera's orientation is
// undone). Zooming and scrolling only change this rectangle; the view draws from it.
//
// How the widgets use it: the zoomable view owns one ContentsRect, gives it the photo's stored
// size and orientation (setImage) and its own size on every resize (setViewSize), and forwards
// its actions to it (zoom buttons and slider, arrow keys, drags and the wheel through
// scrollByViewDelta). Each call answers whether the rectangle changed; when it did, the view
// repaints by drawing the photo through imageToViewTransform() clipped to visibleImageRect(),
// and (re)starts its one-shot 0.23 s timer for the full-resolution refresh. The crop editor
// reads visibleImageRect() for its job ticket and zooms a reopened photo back with
// zoomImageToRect().
namespace kivo {

class ContentsRect
{
public:
    // The photo's stored pixel size and its EXIF orientation (1-8; anything else shows it as
    // stored). An empty size means no photo: every operation then does nothing. The rectangle
    // starts as the whole photo, normalised.
    void setImage(const QSize& naturalSize, int orientation);
    // The view's size in points, as the customer sees it (upright).
    void setViewSize(const QSizeF& viewSize);

    // A photo and a view to show it in: without both, zooming and scrolling do nothing.
    bool hasImage() const;
    QSize naturalImageSize() const { return m_natural; }
    int orientation() const { return m_orientation; }
    // True for the quarter turns (orientations 5 to 8), whose upright width is the stored height.
    bool hasImplicitRotation() const;
    // The upright size: the natural size, sides swapped for a quarter turn.
    QSizeF imageSize() const;
    // (image width / image height) / (view width / view height), upright; 0 without a view.
    double aspectX() const;

    QRectF rect() const { return m_rect; }
    // Sets the normalised R; answers whether the rectangle changed.
    bool setRect(const QRectF& r);
    // R with a positive size of at most 1 and at least kMinExtent, moved inside the unit square,
    // and given the view's proportions (the longer side shortened).
    QRectF normalized(const QRectF& r) const;

    double zoomFactor() const;
    double zoomFactorForContentsRect(const QRectF& r) const;
    double zoomFactorMin() const;
    double zoomFactorMax() const;
    // Keeps the centre of the visible part and sizes the rectangle for factor Z (view points per
    // photo pixel).
    bool setZoomFactor(double z);
    bool zoomIn();
    bool zoomOut();
    bool zoomImageToFit();
    bool zoomImageToActualSize();
    // PIXELS in stored photo pixels.
    bool zoomImageToRect(const QRectF& pixels);

    // The visible part in stored photo pixels.
    QRectF visibleImageRect() const;
    // A rectangle of the view (points) in stored photo pixels.
    QRectF convertViewRectToImageRect(const QRectF& viewRect) const;
    // Maps stored photo pixels to upright photo pixels (the camera's orientation undone, as the
    // station's loader turns every photo).
    QTransform uprightTransform() const;
    // Maps stored photo pixels to view points: what the view paints the photo through.
    QTransform imageToViewTransform() const;

    // One hundredth of the visible part's upright extent in the arrow's direction.
    bool scrollLeft();
    bool scrollRight();
    bool scrollUp();
    bool scrollDown();
    // Moves the visible part against D, in upright photo pixels: a positive x shows more of the
    // left, a positive y more of the top.
    bool scrollDeltaPoint(const QPointF& d);
    // A drag or wheel distance in view points: the photo follows the finger.
    bool scrollByViewDelta(const QPointF& d);
    bool scrollToCenter();

    // What one zoom step takes off (or adds to) each side, and the narrowest and lowest that
    // zooming in may leave; the smallest extent any rectangle is normalised to.
    static constexpr double kZoomStep = 0.02;
    static constexpr double kMinExtent = 0.001;

private:
    // The view's size along the stored photo's axes.
    QSizeF layerSize() const;

    QSize m_natural;
    int m_orientation = 1;
    QSizeF m_view;
    QRectF m_rect{0, 0, 1, 1};
};

} // namespace kivo
