#include "imaging/Exiv2Support.h"

#include "core/FileNames.h"
#include "imaging/Exiv2Compat.h"

#include <mutex>

namespace kivo::imaging {

void initializeMetadata()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        // Exiv2 prints its own warnings for every odd tag of a camera file; the station reports
        // what it could not read itself.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

namespace {
// Done while the program starts, before any thread of its own exists.
[[maybe_unused]] const bool initializedAtStart = (initializeMetadata(), true);
} // namespace

std::unique_ptr<Exiv2::Image> openMetadata(const QString& path)
{
    initializeMetadata();
    // Exiv2 opens with fopen, which would wait for ever on a named pipe.
    if (!isReadableFile(path))
        return nullptr;
    try {
        Exiv2ImagePtr opened = Exiv2::ImageFactory::open(encodeFileName(path).toStdString());
        std::unique_ptr<Exiv2::Image> image(opened.release());
        if (!image)
            return nullptr;
        image->readMetadata();
        return image;
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace kivo::imaging
