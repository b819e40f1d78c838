#pragma once

#include <QRectF>
#include <QSizeF>

namespace kivo {

// The size an image of IMAGEWIDTH x IMAGEHEIGHT takes in a view: a square image takes the
// view's smaller side; a portrait image is limited by whichever side of the view binds first; a
// landscape image always takes the view's width (its height may then exceed the view's).
QSizeF computeResizeToFitViewSize(float imageWidth, float imageHeight, float viewWidth,
                                  float viewHeight);

// The largest size of the image's proportions that fits inside the frame.
QSizeF computeAspectFitSize(float imageWidth, float imageHeight, float frameWidth,
                            float frameHeight);

// computeAspectFitSize's size centred in a frame of FRAMESIZE at the origin.
QRectF computeAspectFitRect(const QSizeF& imageSize, const QSizeF& frameSize);

} // namespace kivo
