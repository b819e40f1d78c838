#pragma once

#include <QString>

#include <memory>

namespace Exiv2 {
class Image;
}

namespace kivo::imaging {

// Opens PATH with Exiv2 and reads its metadata. Null when the file is missing or is not an
// image Exiv2 knows; never throws. Safe from any thread: the library's one-time set-up (its XMP
// parser is not thread-safe to initialise) happens before the first open.
std::unique_ptr<Exiv2::Image> openMetadata(const QString& path);

} // namespace kivo::imaging
