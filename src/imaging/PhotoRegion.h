#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <atomic>

// The two decodes of the zoomable view, without widgets: a photo opened once (its bytes kept,
// so that a refresh never reads a share again, its stored size, its orientation and an upright
// copy no larger than the screen), and a part of it cut from full-resolution pixels.
namespace kivo {

struct ViewPhoto
{
    QString path;
    QByteArray bytes;
    QSize storedSize;       // pixels as stored, before the orientation is undone
    int orientationTag = 0; // 1-8 from the file, 1 without a tag, 0 when unreadable
    QImage upright;         // no larger than the bound it was opened with
    QString error;          // for the log; empty when the photo opened
    bool ok() const { return error.isEmpty(); }
};

// Reads the photo at PATH and decodes it upright, reduced to the smallest size that covers
// COVER (upright pixels; never enlarged). Safe from any thread; a read is given up as soon as
// *CANCEL turns true.
ViewPhoto openViewPhoto(const QString& path, const QSize& cover,
                        const std::atomic<bool>* cancel = nullptr);

// The part UNIT (unit coordinates of the upright photo) of the photo in BYTES (the file at
// PATH, tagged ORIENTATION), decoded from full-resolution pixels, upright, scaled to TARGET
// pixels. *COVERED (when given) receives the part actually cut, in the same unit coordinates,
// after it was rounded out to whole stored pixels and clipped to the photo. Null when the
// bytes do not decode or nothing of UNIT lies on the photo.
QImage decodeUprightRegion(const QByteArray& bytes, const QString& path, int orientation,
                           const QRectF& unit, const QSize& target, QRectF* covered = nullptr);

} // namespace kivo
