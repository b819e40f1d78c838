#pragma once

#include <QString>

namespace kivo {

// The look of every screen comes from one style sheet in the resources folder ("kivo.qss"),
// so a site can restyle the station without a rebuild. Applies it to the application; false
// (and the platform's own look) when the file is missing or unreadable.
bool applyStationStyleSheet();

// The style sheet's text, empty when there is none.
QString stationStyleSheet();

} // namespace kivo
