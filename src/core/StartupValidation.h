#pragma once

#include <QString>
#include <QStringList>

namespace kivo {

class Settings;

// What the check of the station's folders before the first visit found.
struct StartupValidationResult
{
    bool ok = false;
    QStringList missing; // the settings keys of the folders that could not be found
    int leftoverLocksRemoved = 0;
    // What the images folder's file system does not keep of what the station relies on
    // (checks::fileSystemProblem), naming the folder; empty when it keeps it all or when the
    // folder was not found.
    QString fileSystemProblem;
};

// Checks the images folder and the point-of-sale folder. A folder whose stored
// path is a folder passes as it is; one that moved is found again through its
// stored reference, and its new path and validity are stored. A folder with no
// path, or one that cannot be found, fails. Both folders are examined even when
// the first fails. On success the customer locks this station left behind in
// the images folder (after a crash) are removed. A found images folder has its
// file system tried; a share that fails is reported, not a reason to stop.
// Safe on a worker thread (where it belongs: a share that stopped answering
// blocks it).
StartupValidationResult performStartupValidation(Settings& settings);

} // namespace kivo
