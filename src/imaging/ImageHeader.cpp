#include "imaging/ImageHeader.h"

#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"
#include "imaging/Logging.h"

namespace kivo {

std::optional<ImageHeaderInfo> readImageHeader(const QString& path)
{
    if (!isReadableFile(path))
        return std::nullopt;
    const auto image = imaging::openMetadata(path);
    if (!image) {
        consoleLog(lcImaging(), "ImageHeader", "readImageHeader",
                   QStringLiteral("cannot read [%1] as an image").arg(path));
        return std::nullopt;
    }
    try {
        ImageHeaderInfo info;
        info.pixelWidth = static_cast<int>(image->pixelWidth());
        info.pixelHeight = static_cast<int>(image->pixelHeight());
        const Exiv2::ExifData& exif = image->exifData();
        // Formats whose header Exiv2 does not size still carry the sizes in EXIF.
        if (info.pixelWidth <= 0 || info.pixelHeight <= 0) {
            const auto w = imaging::exifInteger(exif, "Exif.Photo.PixelXDimension");
            const auto h = imaging::exifInteger(exif, "Exif.Photo.PixelYDimension");
            if (w && h) {
                info.pixelWidth = static_cast<int>(*w);
                info.pixelHeight = static_cast<int>(*h);
            }
        }
        if (const auto orientation = imaging::exifInteger(exif, "Exif.Image.Orientation")) {
            info.orientation = static_cast<int>(*orientation);
            info.hasOrientationTag = true;
        }
        if (info.pixelWidth <= 0 || info.pixelHeight <= 0)
            return std::nullopt;
        return info;
    } catch (const std::exception& error) {
        consoleLog(
            lcImaging(), "ImageHeader", "readImageHeader",
            QStringLiteral("cannot read [%1]: %2").arg(path, QString::fromLocal8Bit(error.what())));
    }
    return std::nullopt;
}

} // namespace kivo
