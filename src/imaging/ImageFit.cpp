#include "imaging/ImageFit.h"

#include <algorithm>

namespace kivo {

QSizeF computeResizeToFitViewSize(float imageWidth, float imageHeight, float viewWidth,
                                  float viewHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0 || viewWidth <= 0 || viewHeight <= 0)
        return QSizeF(0, 0); // an empty image or view fits nothing (and must not divide by 0)
    const float r = imageHeight / imageWidth;
    if (imageWidth == imageHeight) {
        const float side = std::min(viewWidth, viewHeight);
        return QSizeF(side, side);
    }
    if (imageHeight > imageWidth) {
        if (viewHeight / viewWidth > r)
            return QSizeF(viewWidth, viewWidth * r);
        return QSizeF(viewHeight / r, viewHeight);
    }
    return QSizeF(viewWidth, viewWidth * r);
}

QSizeF computeAspectFitSize(float imageWidth, float imageHeight, float frameWidth,
                            float frameHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return QSizeF(0, 0);
    const float imageRatio = imageWidth / imageHeight;
    const float frameRatio = frameWidth / frameHeight;
    if (imageRatio == 1.0f) {
        const float side = std::min(frameWidth, frameHeight);
        return QSizeF(side, side);
    }
    if (imageRatio >= frameRatio)
        return QSizeF(frameWidth, frameWidth / imageRatio);
    return QSizeF(imageRatio * frameHeight, frameHeight);
}

QRectF computeAspectFitRect(const QSizeF& imageSize, const QSizeF& frameSize)
{
    const QSizeF fitted = computeAspectFitSize(float(imageSize.width()), float(imageSize.height()),
                                               float(frameSize.width()), float(frameSize.height()));
    return QRectF((frameSize.width() - fitted.width()) / 2,
                  (frameSize.height() - fitted.height()) / 2, fitted.width(), fitted.height());
}

} // namespace kivo
