#pragma once

#include "imaging/ImageHeader.h"
#include "orders/OrderLine.h"

#include <QString>

#include <optional>

namespace kivo {

class Settings;

enum class PhotoOrientation
{
    Landscape,
    Portrait
};

// Landscape when the pixel width exceeds the pixel height and the orientation is 0 or 1 (not
// turned); everything else, including a file without a readable header, is portrait.
PhotoOrientation classifyPhotoOrientation(const std::optional<ImageHeaderInfo>& header);
PhotoOrientation classifyPhotoOrientation(const QString& path);

// The suffix the orientation settings ask for on the PLUs of the photo at PHOTOPATH; empty
// when neither suffix setting is on or the matching suffix text is empty.
QString orientationSuffixForPhoto(const QString& photoPath, const Settings& settings);

// Appends the orientation suffix of the entry's photo to its PLU (trimmed), keeping the old PLU
// as the original. A PLU that was never set stays unset. True when it changed.
bool applyOrientationTranslation(PackageEntry& packageEntry, const Settings& settings);

} // namespace kivo
