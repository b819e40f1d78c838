#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// A persistent reference to a file or folder, stored as opaque bytes under the settings keys
// that end in "AliasData". It holds the path with the device and inode of the item, so that a
// folder that was given a new name or moved within its file system is found again.
class FileReference
{
public:
    // The reference bytes of PATH; empty when nothing exists there.
    static QByteArray create(const QString& path);

    // The current path of the item REFERENCE names: the stored path when the same item is still
    // there, else an item with the same device and inode found near the stored path (in its
    // parent folder, the parent's parent, and their subfolders). Returns false when the
    // reference cannot be read or the item cannot be found.
    static bool resolve(const QByteArray& reference, QString* resolvedPath);

    // The path stored in REFERENCE, whether or not it still exists.
    static QString storedPath(const QByteArray& reference);
};

} // namespace kivo
