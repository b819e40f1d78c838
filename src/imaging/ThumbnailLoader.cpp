#include "imaging/ThumbnailLoader.h"

#include "imaging/ImageLoader.h"
#include "imaging/ImageOrientation.h"

#include <QImageReader>

namespace kivo {

QImage loadUprightThumbnail(const QString& path, const QSize& bound)
{
    if (path.isEmpty() || bound.isEmpty())
        return {};
    const QString file = expandTilde(path);
    QImageReader reader(file);
    reader.setAutoTransform(false);
    const QSize decoded = reader.size();
    if (!decoded.isValid())
        return reader.read(); // a format that cannot tell its size first: null or as decoded
    const qint16 orientation = getImageRotation(file);
    const bool swap = orientationSwapsSides(orientation);
    const QSize upright = swap ? decoded.transposed() : decoded;
    if (upright.width() > bound.width() || upright.height() > bound.height()) {
        const QSize fitted = upright.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        reader.setScaledSize(swap ? fitted.transposed() : fitted);
    }
    return uprightImage(reader.read(), orientation);
}

ThumbnailLoader::ThumbnailLoader(QObject* parent, int maxThreads) : QObject(parent)
{
    m_pool.setMaxThreadCount(qMax(1, maxThreads));
}

ThumbnailLoader::~ThumbnailLoader()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void ThumbnailLoader::requestThumbnail(const QString& path, const QSize& bound)
{
    // The pool is waited for before this object goes, so the task may use `this`.
    m_pool.start([this, path, bound] {
        const QImage image = loadUprightThumbnail(path, bound);
        QMetaObject::invokeMethod(
            this, [this, path, image] { emit thumbnailLoaded(path, image); }, Qt::QueuedConnection);
    });
}

void ThumbnailLoader::cancelPending()
{
    m_pool.clear();
}

void ThumbnailLoader::waitForDone()
{
    m_pool.waitForDone();
}

} // namespace kivo
