#include "orders/OrientationTranslation.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

namespace kivo {

std::optional<ImageHeaderInfo> readImageHeader(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty() || !QFile::exists(path))
        return std::nullopt;
    try {
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(native.toStdString());
        if (!image.get())
            return std::nullopt;
        image->readMetadata();
        ImageHeaderInfo info;
        info.pixelWidth = image->pixelWidth();
        info.pixelHeight = image->pixelHeight();
        const Exiv2::ExifData& exif = image->exifData();
        // Formats whose header Exiv2 does not size still carry the sizes in EXIF.
        if (info.pixelWidth <= 0 || info.pixelHeight <= 0) {
            const auto w = exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelXDimension"));
            const auto h = exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelYDimension"));
            if (w != exif.end() && h != exif.end()) {
                info.pixelWidth = static_cast<int>(w->toLong());
                info.pixelHeight = static_cast<int>(h->toLong());
            }
        }
        const auto orientation = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
        if (orientation != exif.end() && orientation->count() > 0) {
            info.orientation = static_cast<int>(orientation->toLong());
            info.hasOrientationTag = true;
        }
        if (info.pixelWidth <= 0 || info.pixelHeight <= 0)
            return std::nullopt;
        return info;
    } catch (const Exiv2::AnyError& error) {
        consoleLog(
            "OrientationTranslation", "readImageHeader",
            QStringLiteral("cannot read [%1]: %2").arg(path, QString::fromLocal8Bit(error.what())));
    } catch (const std::exception& error) {
        consoleLog(
            "OrientationTranslation", "readImageHeader",
            QStringLiteral("cannot read [%1]: %2").arg(path, QString::fromLocal8Bit(error.what())));
    }
    return std::nullopt;
}

PhotoOrientation classifyPhotoOrientation(const std::optional<ImageHeaderInfo>& header)
{
    if (header && header->pixelWidth > header->pixelHeight &&
        (header->orientation == 0 || header->orientation == 1))
        return PhotoOrientation::Landscape;
    return PhotoOrientation::Portrait;
}

PhotoOrientation classifyPhotoOrientation(const QString& path)
{
    return classifyPhotoOrientation(readImageHeader(path));
}

QString orientationSuffixForPhoto(const QString& photoPath, const Settings& settings)
{
    const bool landscapeOn = settings.boolForKey(QLatin1String(sPrefAppendLandscapeSuffix));
    const bool portraitOn = settings.boolForKey(QLatin1String(sPrefAppendPortraitSuffix));
    if (!landscapeOn && !portraitOn)
        return QString();
    if (classifyPhotoOrientation(photoPath) == PhotoOrientation::Landscape)
        return landscapeOn ? settings.stringForKey(QLatin1String(sPrefLandscapePkgPLUSuffix))
                           : QString();
    return portraitOn ? settings.stringForKey(QLatin1String(sPrefPortraitPkgPLUSuffix)) : QString();
}

bool applyOrientationTranslation(QVariantMap& packageEntry, const Settings& settings)
{
    const QString plu = packageEntry.value(QStringLiteral("pkgPLU")).toString();
    if (plu.isNull())
        return false;
    const QString suffix =
        orientationSuffixForPhoto(packageEntry.value(QStringLiteral("name")).toString(), settings);
    if (suffix.isEmpty())
        return false;
    packageEntry.insert(QStringLiteral("pkgPLU_original"), plu);
    packageEntry.insert(QStringLiteral("pkgPLU"), (plu + suffix).trimmed());
    return true;
}

} // namespace kivo
