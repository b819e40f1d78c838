#pragma once

#include "imaging/CropOptions.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QPair>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>

// A crop job ticket: which print crops are cut from a photo and where, stored as an XML
// property list beside the photo (its extension replaced by "ticket") for the editor to reopen
// and for the print room's tools to read. Rectangles are in pixels of the photo as stored
// (before its orientation is undone), origin top-left, in the text form "{{x, y}, {w, h}}".
//
// How the widgets use it: on "Done" the crop editor makes a ticket with makeCropTicket() from
// its ContentsRect and writes it with writeCropTicket(); opening a photo it reads the ticket
// back with readCropTicketForPhoto() (a bad ticket reads as none), switches the toggles to the
// ticket's crops, and zooms to zoomRect().
namespace kivo {

struct CropTicket
{
    QMap<QString, QRectF> crops; // region title -> rectangle
    QString title;               // the photo's file name
    QString path;                // the photo's full path
    QString ticketPath;
    QDateTime date;
    QSize imageSize; // the photo's stored pixel size
    int orientation = 0;

    // The crops largest first (then by title): the order their files are written in, and the
    // first is the one a reopened photo zooms back to (the view's visible part when the ticket
    // was made) and the thumbnail shows.
    QList<QPair<QString, QRectF>> orderedCrops() const;
    QRectF zoomRect() const;
};

// PHOTO's ticket path: its last extension replaced by "ticket" (added when it has none).
QString ticketPathForPhoto(const QString& photo);

// The ticket for PHOTO (of stored size IMAGESIZE and ORIENTATION, 0 when it has none) with the
// SELECTED crops of the visible rectangle VISIBLE, made at DATE.
CropTicket makeCropTicket(const QString& photo, const QSize& imageSize, int orientation,
                          const QRectF& visible, const QList<CropOption>& selected,
                          const QDateTime& date);

// The text forms "{{x, y}, {w, h}}" and "{w, h}", and their strict reading (nothing when TEXT
// is not of that form or holds a number that is not finite).
QString rectText(const QRectF& r);
QString sizeText(const QSizeF& s);
std::optional<QRectF> rectFromText(const QString& text);
std::optional<QSizeF> sizeFromText(const QString& text);

// Writes TICKET to its ticketPath atomically (a reader sees the old ticket or the new one).
bool writeCropTicket(const CropTicket& ticket, QString* error = nullptr);

// Reads the ticket at TICKETPATH. Nothing (and ERROR) when the file is missing or not a
// property list, or when "crops", "title", "path" or "imageSize" is missing or of the wrong
// type or form, or another key of the ticket holds the wrong type.
std::optional<CropTicket> readCropTicket(const QString& ticketPath, QString* error = nullptr);

// PHOTO's ticket, or nothing when it has none; a ticket that cannot be read counts as none and
// is logged.
std::optional<CropTicket> readCropTicketForPhoto(const QString& photo, QString* error = nullptr);

} // namespace kivo
