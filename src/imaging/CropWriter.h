#pragma once

#include "imaging/CropTicket.h"

#include <QImage>
#include <QList>
#include <QString>

// Turns a crop job ticket into cropped JPEG files beside the photo, one per crop region, each
// carrying the photo's metadata (orientation and capture date included, so a cropped file
// shows and sorts as its photo does). kivo-crop and the crop editor both write through here.
// The errors are for the operator (translated); the log lines are not.
//
// Each crop is decoded from the photo's file alone, so a photo of any camera (up to well above
// 100 megapixels) is cropped within the memory of its largest crop; Qt's own image limit is
// raised for a crop that needs more, once the memory is known to be free.
//
// How the widgets use it: the crop editor calls writeCroppedFiles() off the GUI thread (it
// decodes the photo) and shows the failed entries' errors; its thumbnail comes from
// cropImageFromTicket(), turned upright with the ticket's orientation.
namespace kivo {

struct CroppedFile
{
    QString region;
    QString path;  // the file written, or that would have been
    QString error; // empty when written
    bool ok() const { return error.isEmpty(); }
};

// The file name of REGION's crop of the photo named PHOTOTITLE: "IMG_1.jpg" and "5x7" give
// "IMG_1_5x7.jpg". The crop is always JPEG, so a photo of another kind ("IMG_1.png") gives a
// ".jpg" name. Empty when either name would reach outside the folder (holds "/" or is empty).
QString croppedFileName(const QString& photoTitle, const QString& region);

// The quality the crops are encoded at: they go to the print room.
inline constexpr int kCropJpegQuality = 95;

// Writes the cropped files of TICKET for the photo at PHOTO (an absolute path; the ticket lies
// beside it), largest crop first, each atomically, into PHOTO's folder. The rectangles are read
// in the ticket's image size and scaled when the photo's own size differs; one that reaches
// beyond the photo is clipped to it, and one with nothing left is not written. One entry per
// crop; a photo that cannot be read, or whose path names no folder (or the root), fails them
// all and writes nothing.
QList<CroppedFile> writeCroppedFiles(const CropTicket& ticket, const QString& photo);

// The first crop of TICKET that can be cut from PHOTO, as stored (not turned); null when none.
QImage cropImageFromTicket(const CropTicket& ticket, const QString& photo);

} // namespace kivo
