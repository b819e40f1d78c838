#include "imaging/Exiv2Support.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

#include <mutex>

namespace kivo::imaging {

std::unique_ptr<Exiv2::Image> openMetadata(const QString& path)
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        // Exiv2 prints its own warnings for every odd tag of a camera file; the station reports
        // what it could not read itself.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
    if (path.isEmpty())
        return nullptr;
    try {
        std::unique_ptr<Exiv2::Image> image(
            Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString()).release());
        if (!image)
            return nullptr;
        image->readMetadata();
        return image;
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace kivo::imaging
