#pragma once

#include <QString>

// Where the station reads and writes its own files. KIVO_ROOT puts everything under one folder
// (tests and the demo always set it); without it the station uses the system locations.
namespace kivo::paths {

// The value of KIVO_ROOT, or an empty string when it is not set.
QString kivoRoot();

// The stored settings file: $KIVO_ROOT/config/KivoSalesStation.plist, else
// $XDG_CONFIG_HOME/kivo/KivoSalesStation.plist.
QString settingsFile();

// The shared root: $KIVO_ROOT/shared, else /srv/kivo.
QString sharedRoot();

// The shared order folder "KivoSalesStation" under the shared root.
QString sharedOrderFolder();

// The fallback receipts folder "KivoSalesStationReceipts" under the shared root.
QString sharedReceiptsFolder();

// The log folder: $KIVO_ROOT/logs, else /var/log/kivo when writable, else
// $XDG_STATE_HOME/kivo.
QString logFolder();

// The log file of an application name: logFolder()/NAME.log.
QString logFile(const QString& applicationName);

// The station's own reduced copies of photos: $KIVO_ROOT/cache/thumbnails, else
// $XDG_CACHE_HOME/kivo/thumbnails. Each station keeps its own, even when several share one
// images folder.
QString thumbnailCacheFolder();

// The resources folder: $KIVO_RESOURCES, else share/kivo-sales-station beside the program's
// install prefix, else the source tree's resources folder (a station run from its build tree).
QString resourcesFolder();

// The full path of resource NAME.TYPE, or an empty string when it does not exist.
QString resourcePath(const QString& name, const QString& type);

} // namespace kivo::paths
