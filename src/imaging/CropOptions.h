#pragma once

#include <QList>
#include <QString>

// The site's crop regions (title and long-side / short-side ratio), shipped as the resource
// "CropOptions.plist" so that a site can change its print sizes without a rebuild.
//
// How the widgets use it: the crop editor loads the options once; a failure leaves it without
// crop toggles and shows the message to the operator. It builds one toggle per option (in this
// order, tag = index) and hands the options that are on to the functions of CropGeometry.h.
namespace kivo {

struct CropOption
{
    QString title;
    double aspectRatio = 0;
    bool operator==(const CropOption&) const = default;
};

struct CropOptionsResult
{
    QList<CropOption> options;
    QString error; // for the operator; empty on success
    bool ok() const { return error.isEmpty(); }
};

// Reads a crop options file: an array of {"title": string, "aspectRatio": number}. The whole
// file is refused (no options, and why) when it is missing or not a property list, is not an
// array, is empty, or an entry has no title, a title naming a folder ("/"), a repeated title,
// or a ratio that is not a finite number of at least 1 (the long side over the short side).
CropOptionsResult readCropOptions(const QString& path);

// The shipped resource "CropOptions.plist" of the resources folder.
CropOptionsResult loadCropOptions();

} // namespace kivo
