#pragma once

#include <QRectF>
#include <QSizeF>

namespace kivo {

// SIZE shrunk, keeping its proportions, until it fits within LIMIT: a size wider than the limit
// takes the limit's width, one that is then still taller takes the limit's height. A size that
// fits is returned unchanged; an empty size stays as it is.
QSizeF constrainSize(const QSizeF& size, const QSizeF& limit);

// Where the attract movie's view goes in an area of AREA (widget coordinates, y downwards):
// the whole area when it plays full screen, else the movie's size constrained to the area,
// centred horizontally with its bottom edge 15 points above the area's bottom.
QRectF movieViewFrame(const QSizeF& movieSize, const QSizeF& area, bool playFullScreen);

inline constexpr double kMovieBottomMargin = 15.0;

} // namespace kivo
