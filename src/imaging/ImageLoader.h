#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>

class QBuffer;
class QImageReader;

namespace kivo {

// A photo file's bytes, or why they could not be had (for the log; empty on success).
struct PhotoBytes
{
    QByteArray data;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// How long a photo read may go without a byte arriving before it is given up: a file on a
// share that stopped answering must not hold a thread of the station for ever.
inline constexpr int kDefaultPhotoReadStallMs = 5000;
// Sets that limit for every later read (tests shorten it); 0 or less restores the default.
void setPhotoReadStallLimit(int ms);

// Reads the file at PATH ("~" expanded) whole, or its first MAXBYTES bytes when MAXBYTES is not
// negative. Only a regular file is read: a named pipe, a device or a folder is refused before
// anything could wait on it. The reading itself runs on a thread of its own, which is abandoned
// (left to finish or hang alone) when no byte arrives within the stall limit, or at once when
// *CANCEL turns true; the caller then gets an error and goes on. With FOLLOWLINKS false, a
// symbolic link is refused as well (for files of the station's own, which are never links).
// Safe from any thread.
PhotoBytes readPhotoFile(const QString& path, qint64 maxBytes = -1,
                         const std::atomic<bool>* cancel = nullptr, bool followLinks = true);

// For tests only: a function the reading thread calls with the file's path before it touches
// the file, so that a test can make a read hang as one on a dead network share does. Null
// removes it.
void setPhotoReadHook(void (*hook)(const QString& path));

// Decodes BYTES, the file at PATH (whose extension names the format when the content does not
// tell it), upright; when BOUND is valid, no larger than BOUND (keeping its proportions, never
// enlarged), letting a JPEG decoder scale while it decodes. Null when the bytes do not decode.
QImage decodeUprightImage(const QByteArray& bytes, const QString& path,
                          const QSize& bound = QSize());

// The EXIF orientation of an image file's BYTES: 1-8, 1 without a tag, 0 when the bytes are not
// an image Exiv2 knows or the tag is outside 1-8.
qint16 orientationOfBytes(const QByteArray& bytes);

// Points READER at BUFFER (over the bytes of the file at PATH) and answers whether it can read
// them. The content names the format; when it does not, the extension does, as for a reader
// opened on the path.
bool prepareReader(QImageReader& reader, QBuffer& buffer, const QString& path);

// PATH with a leading "~" replaced by the home folder.
QString expandTilde(const QString& path);

} // namespace kivo
