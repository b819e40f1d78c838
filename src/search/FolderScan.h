#pragma once

#include <QString>
#include <QStringList>

namespace kivo {

// The folder scan: the image files below FOLDER (at any depth when DEEPSEARCH, else directly in
// it) whose path relative to FOLDER contains one of IDS, without regard to case or diacritics.
// The ID may stand anywhere in that path, so an ID in a subfolder's name selects every image in
// the subfolder. Full paths in listing order; empty when FOLDER cannot be read. Empty IDs
// match nothing.
QStringList scanFolderForIds(const QString& folder, const QStringList& ids, bool deepSearch);
inline QStringList photosInFolder(const QString& folder, const QStringList& ids, bool deepSearch)
{
    return scanFolderForIds(folder, ids, deepSearch);
}

// The index tool's question answered by walking the tree: the image files below FOLDER whose
// file name begins with one of IDS (trimmed of "[" and "]"), without regard to case or
// diacritics. Full paths in listing order; empty when FOLDER cannot be read.
QStringList findImageFilesByPrefix(const QString& folder, const QStringList& ids);

} // namespace kivo
