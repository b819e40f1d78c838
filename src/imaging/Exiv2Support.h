#pragma once

#include <QString>

#include <memory>

namespace Exiv2 {
class Image;
}

namespace kivo::imaging {

// The library's one-time set-up (its XMP parser is not thread-safe to initialise). It runs when
// the program starts and again, guarded, before the first open, so no worker thread races it.
void initializeMetadata();

// Opens PATH with Exiv2 and reads its metadata. Null when the file is missing, is not a regular
// file (a named pipe, a folder) or is not an image Exiv2 knows; never throws. Safe from any
// thread. A caller that changes the metadata writes it with writeMetadata() inside its own try
// block.
std::unique_ptr<Exiv2::Image> openMetadata(const QString& path);

} // namespace kivo::imaging
