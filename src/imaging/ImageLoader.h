#pragma once

#include <QImage>
#include <QString>

namespace kivo {

// Loads the image at PATH ("~" expanded) so that it shows upright whatever orientation the
// camera tagged it with; null when there is no path or the file does not decode. The image's
// size is its pixel size, whatever resolution the file declares. With the setting
// "prefCanUseStdNSImage" on, the file is returned as decoded, untouched. The view size is not
// used; it is part of the callers' vocabulary.
QImage loadUprightImage(const QString& path, float viewWidth = 0, float viewHeight = 0);

// The image at PATH as decoded, without turning it; null for no path or a file that does not
// decode.
QImage loadImageAsDecoded(const QString& path, float viewWidth = 0, float viewHeight = 0);

// Draws OVERLAY scaled over the whole of *BOTTOM, only where BOTTOM is opaque (source-atop).
// False, and BOTTOM unchanged, when either image is missing.
bool applyOverlayToNSImage(const QImage& overlay, QImage* bottom);

// The first image of the resource file NAME ("logo.png"); null when the resource is missing or
// does not decode.
QImage createImageWithName(const QString& name);

// PATH with a leading "~" replaced by the home folder.
QString expandTilde(const QString& path);

} // namespace kivo
