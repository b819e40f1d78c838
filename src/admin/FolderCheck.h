#pragma once

#include <QString>

namespace kivo {

// What a folder chosen in the preferences is used for: the images folder is only read; the
// order, invoice and receipt folders are written by the station and read by other programs.
enum class FolderUse
{
    Read,
    Write,
};

// Whether a chosen folder can serve, and if not, why, in words for the operator.
struct FolderCheck
{
    bool ok = false;
    QString message;
};

// Checks PATH before the station trusts it: it must exist, be a folder, be listable, and for
// USE Write take a new file (a file is made and removed, since a network share may refuse what
// its permission bits allow).
FolderCheck checkFolder(const QString& path, FolderUse use);

} // namespace kivo
