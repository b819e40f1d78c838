#pragma once

#include "imaging/CropOptions.h"

#include <QList>
#include <QPair>
#include <QRectF>
#include <QSizeF>

// The crop editor's arithmetic, without widgets: the shape of the view for the chosen crops,
// the crop rectangles of a job ticket, and the check that the crops lie inside the photo.
//
// How the widgets use it: on every change of the crop toggles or of portrait/landscape the
// editor asks viewAspectRatio() for the view's proportions, sets its image view's frame to
// reshapedViewFrame() inside the host, and gives the new size to its ContentsRect. On "Done"
// it takes the ContentsRect's visibleImageRect(); when isInsideImage() says no, it asks the
// operator ("Go Back" / "Proceed anyway") before making the ticket from cropRectangles().
namespace kivo {

// The proportions (width / height) the view takes: those of the widest selected crop, turned
// for a portrait view; with none selected, the image's own (IMAGEASPECT, width / height),
// turned when the view's orientation differs from the image's.
double viewAspectRatio(const QList<CropOption>& selected, bool viewLandscape, double imageAspect);

// The frame of a view of width CURRENTWIDTH reshaped to proportions ASPECT inside the host's
// BOUNDS: the largest such frame that fits, centred, with whole-point corrections.
QRectF reshapedViewFrame(const QRectF& bounds, double currentWidth, double aspect);

// The rectangle of each selected crop (in increasing ratio) for the visible rectangle VISIBLE
// of the photo: the widest crop is VISIBLE itself, the others are centred inside it.
QList<QPair<QString, QRectF>> cropRectangles(const QRectF& visible,
                                             const QList<CropOption>& selected);

// Whether VISIBLE, with each of its values truncated toward zero, lies inside an image of
// IMAGESIZE pixels (a rectangle reaching a fraction of a pixel beyond the edge still does).
bool isInsideImage(const QSizeF& imageSize, const QRectF& visible);

// Zoom factors (view points per photo pixel) of an image of IMAGESIZE in a viewing area of
// AREA: the whole image shown, and the area filled.
double zoomFactorToFit(const QSizeF& area, const QSizeF& imageSize);
double zoomFactorToFill(const QSizeF& area, const QSizeF& imageSize);

// One shaded band of the crop mask: where it lies in the mask laid out upright as a portrait
// (W x H, y down), how light its grey is (0 black, 1 white; drawn at alpha kMaskAlpha), and the
// region it belongs to, whose label it carries.
struct MaskBand
{
    enum class Region
    {
        EightByTen,
        FiveBySeven
    };
    QRectF rect;
    double white = 0;
    Region region = Region::EightByTen;
    bool operator==(const MaskBand&) const = default;
};
inline constexpr double kMaskAlpha = 0.6;

// The bands of a mask of PORTRAITSIZE (a landscape mask is laid out turned, so its sides come
// swapped) that shade what the 8 x 10 and 5 x 7 prints leave off: the part of a 5 x 7 outside
// an 8 x 10 in the darker grey when both show, each region alone in the lighter otherwise.
QList<MaskBand> maskBands(const QSizeF& portraitSize, bool shows8x10, bool shows5x7);

} // namespace kivo
