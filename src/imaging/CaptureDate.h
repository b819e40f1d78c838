#pragma once

#include <QDateTime>
#include <QString>

namespace kivo {

// Names of the metadata dictionaries the capture dates live in.
inline constexpr const char* kExifDictionary = "{Exif}"; // DateTimeOriginal
inline constexpr const char* kTiffDictionary = "{TIFF}"; // DateTime

// The date stored under KEYNAME in the metadata dictionary DICTIONARYNAME of the image at PATH,
// read as local wall-clock time; invalid when the file, its metadata, the dictionary or the key
// is missing or the value is not a date. LOG reports which step failed.
QDateTime GetInternalPictureCaptureDateDeep(const QString& path, const QString& dictionaryName,
                                            const QString& keyName, bool log);
QDateTime GetInternalExifPictureCaptureDate(const QString& path, bool log);
QDateTime GetInternalTiffPictureCaptureDate(const QString& path, bool log);
QDateTime GetInternalPictureCaptureDate(const QString& path, bool log);

// When the file was made: the EXIF capture date when USEPICTUREDATE is set and the photo has
// one; else the file's birth time where the file system records one, else its modification
// time. Invalid when the file cannot be read. Linux cannot set a birth time, so UPDATE never
// writes anything; it is kept for callers written against the flag.
QDateTime GetAndUpdateFileCreationDate(const QString& path, bool usePictureDate, bool update);

} // namespace kivo
