#pragma once

#include <QString>

namespace kivo {

// True when PATH is an image the station's decoder can read. The file name's extension decides
// when it names a known type (".jpg" yes, ".txt" no); a file without an extension, or with one
// no type is registered for, is judged by its first bytes (read only from a regular file, and
// given up when they do not come; see readPhotoFile). Safe from any thread.
bool isImageFile(const QString& path);

class imageUtils
{
public:
    static bool isImageFile(const QString& path) { return kivo::isImageFile(path); }
};

} // namespace kivo
