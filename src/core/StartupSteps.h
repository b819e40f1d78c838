#pragma once

#include <QString>

namespace kivo {

class Settings;

// The operating system's version read as one decimal number by its leading decimal text:
// "10.6.8" reads 10.6, "12" reads 12, text without a number reads 0.
double leadingDecimalNumber(const QString& text);

// Stores the version under prefCurOSVersInFloat when it is at least 10.5, and whether the
// standard image path is usable (at least 10.6) under prefCanUseStdNSImage in every case.
// Answers the number read.
double applyOperatingSystemVersion(Settings& settings, const QString& versionText);

// Creates the receipt folder and the stored local server folder, with their parents, each only
// when its setting has a value. Paths are used as stored.
void createConfiguredFolders(const Settings& settings);

// What became of the shared order folder at start-up.
struct SharedFolderResult
{
    bool ok = false;
    QString path;
    QString error; // the failure's description, for the setup alert
};

// Makes sure the shared order folder PATH exists: anything already there counts (even a file);
// otherwise it is created with its parents and its file reference stored. On success the path
// is stored under prefLocalServerPath and prefIsValidLocalServerPath becomes true; on failure
// the settings are left as they were.
SharedFolderResult ensureSharedOrderFolder(Settings& settings, const QString& path);

} // namespace kivo
