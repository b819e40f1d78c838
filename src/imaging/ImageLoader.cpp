#include "imaging/ImageLoader.h"

#include "core/ConsoleLog.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "imaging/ImageOrientation.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace kivo {

QString expandTilde(const QString& path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

static QImage readAsDecoded(const QString& path)
{
    QImageReader reader(expandTilde(path));
    reader.setAutoTransform(false);
    return reader.read();
}

QImage loadUprightImage(const QString& path, float viewWidth, float viewHeight)
{
    Q_UNUSED(viewWidth);
    Q_UNUSED(viewHeight);
    if (path.isEmpty())
        return {};
    QImage image = readAsDecoded(path);
    if (image.isNull() ||
        Settings::standardUserDefaults().boolForKey(QStringLiteral("prefCanUseStdNSImage")))
        return image;
    // Every tagged orientation is undone, the mirrored and upside-down ones included: a photo
    // shown upside down is as wrong to a customer as one lying on its side.
    return uprightImage(image, getImageRotation(expandTilde(path)));
}

QImage loadImageAsDecoded(const QString& path, float viewWidth, float viewHeight)
{
    if (path.isEmpty())
        return {};
    consoleLog("imageUtils", "loadImageAsDecoded",
               QStringLiteral("%1 (%2 x %3)").arg(path).arg(viewWidth).arg(viewHeight));
    return readAsDecoded(path);
}

bool applyOverlayToNSImage(const QImage& overlay, QImage* bottom)
{
    if (overlay.isNull()) {
        consoleLog("imageUtils", "applyOverlayToNSImage",
                   QStringLiteral("overlayNSImage is nil????"));
        return false;
    }
    if (!bottom || bottom->isNull()) {
        consoleLog("imageUtils", "applyOverlayToNSImage",
                   QStringLiteral("bottomNSImage is nil????"));
        return false;
    }
    if (!bottom->hasAlphaChannel() || bottom->format() != QImage::Format_ARGB32_Premultiplied)
        *bottom = bottom->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(bottom);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.setOpacity(1.0);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(bottom->size())), overlay,
                      QRectF(QPointF(0, 0), QSizeF(overlay.size())));
    return true;
}

QImage createImageWithName(const QString& name)
{
    const QString path = paths::resourcesFolder() + QLatin1Char('/') + name;
    if (!QFileInfo::exists(path))
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read(); // the first image of the file
}

} // namespace kivo
