#pragma once

#include <QString>

#include <optional>

namespace kivo {

// The few header fields of an image file that decide its orientation.
struct ImageHeaderInfo
{
    int pixelWidth = 0;
    int pixelHeight = 0;
    // The EXIF orientation tag; a file without one is upright (1), as EXIF defines.
    int orientation = 1;
    bool hasOrientationTag = false;
};

// Reads the pixel size and EXIF orientation of the image at PATH; nothing when the file is
// missing, unreadable or not an image Exiv2 knows.
std::optional<ImageHeaderInfo> readImageHeader(const QString& path);

} // namespace kivo
