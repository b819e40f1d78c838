#include "search/FolderScan.h"

#include "core/FileNames.h"
#include "imaging/ImageFileType.h"
#include "search/FolderWalk.h"
#include "search/NameFolding.h"

#include <QDir>

#include <string>
#include <vector>

namespace kivo {
namespace {

std::vector<std::string> foldedIDs(const QStringList& ids, bool trimmed)
{
    std::vector<std::string> out;
    for (const QString& id : ids) {
        std::string folded = search::foldName(trimmed ? search::trimmedSearchID(id) : id);
        if (!folded.empty())
            out.push_back(std::move(folded));
    }
    return out;
}

bool containsAny(const std::string& text, const std::vector<std::string>& needles)
{
    for (const std::string& n : needles) {
        if (text.find(n) != std::string::npos)
            return true;
    }
    return false;
}

bool startsWithAny(const std::string& text, const std::vector<std::string>& prefixes)
{
    for (const std::string& p : prefixes) {
        if (text.compare(0, p.size(), p) == 0)
            return true;
    }
    return false;
}

std::string rootBytes(const QString& folder)
{
    return encodeFileName(QDir::cleanPath(folder)).toStdString();
}

// Appends the full path of NAME to FOUND when it is an image. Its type is checked before
// anything may open it: a FIFO named like a photo would block the reader.
void appendWhenImage(QStringList& found, const std::string& root, const std::string& relativeFolder,
                     std::string_view name)
{
    std::string path = root;
    if (!relativeFolder.empty())
        path.append(1, '/').append(relativeFolder);
    path.append(1, '/').append(name);
    if (!search::isRegularFile(path))
        return;
    QString decoded = decodeFileName(path);
    if (isImageFile(decoded))
        found.append(std::move(decoded));
}

} // namespace

QStringList scanFolderForIds(const QString& folder, const QStringList& ids, bool deepSearch)
{
    QStringList found;
    const std::vector<std::string> needles = foldedIDs(ids, false);
    if (folder.isEmpty() || needles.empty())
        return found;
    const std::string root = rootBytes(folder);

    if (!deepSearch) {
        search::forEachFolderEntry(root, [&](std::string_view name, bool isFolder) {
            if (!isFolder && containsAny(search::foldName(name), needles))
                appendWhenImage(found, root, std::string(), name);
        });
        return found;
    }

    // The folded relative path of the folder being listed, and whether it already holds an ID
    // (then all its files match whatever their names).
    std::string folderFolded;
    bool folderMatches = false;
    search::walkFolderTree(
        root,
        [&](const std::string& relativeFolder) {
            folderFolded = search::foldName(relativeFolder);
            folderMatches = containsAny(folderFolded, needles);
        },
        [&](const std::string& relativeFolder, std::string_view name) {
            bool matches = folderMatches;
            if (!matches) {
                // An ID may also straddle the last "/" of the relative path.
                const std::string relative = folderFolded.empty()
                                                 ? search::foldName(name)
                                                 : folderFolded + '/' + search::foldName(name);
                matches = containsAny(relative, needles);
            }
            if (matches)
                appendWhenImage(found, root, relativeFolder, name);
        });
    return found;
}

QStringList findImageFilesByPrefix(const QString& folder, const QStringList& ids)
{
    QStringList found;
    const std::vector<std::string> prefixes = foldedIDs(ids, true);
    if (folder.isEmpty() || prefixes.empty())
        return found;
    const std::string root = rootBytes(folder);
    search::walkFolderTree(root, nullptr,
                           [&](const std::string& relativeFolder, std::string_view name) {
                               if (startsWithAny(search::foldName(name), prefixes))
                                   appendWhenImage(found, root, relativeFolder, name);
                           });
    return found;
}

} // namespace kivo
