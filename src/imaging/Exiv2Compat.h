#pragma once

// Exiv2 0.28 renamed the image pointer and the error class and replaced toLong() with
// toInt64(); Debian 12 ships 0.27. The imaging code names these through this header so that
// it builds with both.
#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <optional>

namespace kivo::imaging {

#if EXIV2_TEST_VERSION(0, 28, 0)
using Exiv2ImagePtr = Exiv2::Image::UniquePtr;
using Exiv2Error = Exiv2::Error;
inline std::int64_t exifInteger(const Exiv2::Metadatum& datum)
{
    return datum.toInt64(0);
}
#else
using Exiv2ImagePtr = Exiv2::Image::AutoPtr;
using Exiv2Error = Exiv2::AnyError;
inline std::int64_t exifInteger(const Exiv2::Metadatum& datum)
{
    return datum.toLong(0);
}
#endif

// The first value of the tag KEY as an integer; nothing when the tag is absent or empty.
inline std::optional<std::int64_t> exifInteger(const Exiv2::ExifData& exif, const char* key)
{
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it == exif.end() || it->count() == 0)
        return std::nullopt;
    return exifInteger(*it);
}

} // namespace kivo::imaging
