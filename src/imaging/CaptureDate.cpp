#include "imaging/CaptureDate.h"

#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"
#include "imaging/Logging.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace kivo {
namespace {

QString exivGroupFor(const QString& dictionaryName)
{
    if (dictionaryName == QLatin1String(kExifDictionary))
        return QStringLiteral("Exif.Photo");
    if (dictionaryName == QLatin1String(kTiffDictionary))
        return QStringLiteral("Exif.Image");
    return {};
}

void logStep(bool log, const QString& text)
{
    if (log)
        consoleLog(lcImaging(), "imageUtils", "GetInternalPictureCaptureDateDeep", text);
}

} // namespace

QDateTime GetInternalPictureCaptureDateDeep(const QString& path, const QString& dictionaryName,
                                            const QString& keyName, bool log)
{
    const auto image = imaging::openMetadata(path);
    if (!image) {
        logStep(log, QStringLiteral("%1 could not be opened as an image").arg(path));
        return {};
    }
    const Exiv2::ExifData& exif = image->exifData();
    if (exif.empty()) {
        logStep(log, QStringLiteral("%1 There is NO MetaData in this Image File...").arg(path));
        return {};
    }
    const QString group = exivGroupFor(dictionaryName);
    if (group.isEmpty()) {
        logStep(log, QStringLiteral("%1 has no %2 dictionary").arg(path, dictionaryName));
        return {};
    }
    QString text;
    try {
        const auto it =
            exif.findKey(Exiv2::ExifKey((group + QLatin1Char('.') + keyName).toStdString()));
        if (it == exif.end()) {
            logStep(log, QStringLiteral("%1 has no %2 in %3").arg(path, keyName, dictionaryName));
            return {};
        }
        if (it->typeId() != Exiv2::asciiString) {
            logStep(log, QStringLiteral("%1: %2 is not a string").arg(path, keyName));
            return {};
        }
        text = QString::fromStdString(it->toString()).trimmed();
    } catch (const std::exception&) {
        logStep(log, QStringLiteral("%1 has no %2 in %3").arg(path, keyName, dictionaryName));
        return {};
    }
    // "yyyy:MM:dd HH:mm:ss", the camera's wall-clock time. It is read in the local time zone
    // of that date, so a summer photo keeps its hour when read in winter.
    const QDateTime date =
        QDateTime::fromString(text.left(19), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    if (!date.isValid())
        logStep(log, QStringLiteral("%1: %2 is not a date: %3").arg(path, keyName, text));
    return date;
}

QDateTime GetInternalExifPictureCaptureDate(const QString& path, bool log)
{
    return GetInternalPictureCaptureDateDeep(path, QLatin1String(kExifDictionary),
                                             QStringLiteral("DateTimeOriginal"), log);
}

QDateTime GetInternalTiffPictureCaptureDate(const QString& path, bool log)
{
    return GetInternalPictureCaptureDateDeep(path, QLatin1String(kTiffDictionary),
                                             QStringLiteral("DateTime"), log);
}

QDateTime GetInternalPictureCaptureDate(const QString& path, bool log)
{
    return GetInternalExifPictureCaptureDate(path, log);
}

QDateTime GetAndUpdateFileCreationDate(const QString& path, bool usePictureDate, bool update)
{
    Q_UNUSED(update);
    if (usePictureDate) {
        const QDateTime captured = GetInternalExifPictureCaptureDate(path, false);
        if (captured.isValid())
            return captured;
    }
    // Followed through symbolic links, as the photo's own times are wanted.
    struct statx st;
    if (path.isEmpty() ||
        ::statx(AT_FDCWD, encodeFileName(path).constData(), 0, STATX_BTIME | STATX_MTIME, &st) != 0)
        return {};
    const auto time = [](const struct statx_timestamp& t) {
        return QDateTime::fromMSecsSinceEpoch(t.tv_sec * 1000 + t.tv_nsec / 1000000, Qt::UTC)
            .toLocalTime();
    };
    const QDateTime birth = (st.stx_mask & STATX_BTIME) ? time(st.stx_btime) : QDateTime();
    // A file system without birth times, or a zeroed one (the Unix or the 1904 epoch), means
    // the creation date is unset.
    static const QDateTime unixEpoch = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    static const QDateTime macEpoch(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC);
    if (!birth.isValid() || birth == unixEpoch || birth == macEpoch)
        return time(st.stx_mtime);
    return birth;
}

} // namespace kivo
