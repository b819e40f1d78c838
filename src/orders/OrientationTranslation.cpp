#include "orders/OrientationTranslation.h"

#include "core/Settings.h"

namespace kivo {

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
    const bool landscapeOn = settings.appendLandscapeSuffix();
    const bool portraitOn = settings.appendPortraitSuffix();
    if (!landscapeOn && !portraitOn)
        return QString();
    if (classifyPhotoOrientation(photoPath) == PhotoOrientation::Landscape)
        return landscapeOn ? settings.landscapePkgPluSuffix() : QString();
    return portraitOn ? settings.portraitPkgPluSuffix() : QString();
}

bool applyOrientationTranslation(PackageEntry& packageEntry, const Settings& settings)
{
    const QString plu = packageEntry.line.plu;
    if (plu.isNull())
        return false;
    const QString suffix = orientationSuffixForPhoto(packageEntry.photoName, settings);
    if (suffix.isEmpty())
        return false;
    packageEntry.originalPlu = plu;
    packageEntry.line.plu = (plu + suffix).trimmed();
    return true;
}

} // namespace kivo
