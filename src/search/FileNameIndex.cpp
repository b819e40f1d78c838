#include "search/FileNameIndex.h"

#include "core/FileNames.h"
#include "imaging/ImageFileType.h"
#include "search/NameFolding.h"

#include <QDir>

#include <algorithm>
#include <cstring>
#include <utility>

#include <sys/stat.h>

namespace kivo {
namespace {

std::string toBytes(const QString& folder)
{
    return encodeFileName(QDir::cleanPath(folder)).toStdString();
}

bool inScope(const std::string& path, const std::string& scope)
{
    return path.size() >= scope.size() && path.compare(0, scope.size(), scope) == 0 &&
           (path.size() == scope.size() || path[scope.size()] == '/' || scope == "/");
}

std::string childPath(const std::string& parent, const std::string& name)
{
    return parent == "/" ? parent + name : parent + '/' + name;
}

} // namespace

void FileNameIndex::setNames(Folder& folder,
                             std::vector<std::pair<std::string, std::string>>& names, bool sorted)
{
    // names: (folded, own) pairs
    if (sorted)
        std::sort(names.begin(), names.end());
    folder.sorted = sorted;
    folder.blob.clear();
    folder.order.clear();
    folder.order.reserve(names.size());
    for (const auto& [folded, own] : names) {
        folder.order.push_back(uint32_t(folder.blob.size()));
        folder.blob.append(folded).push_back('\0');
        if (own != folded)
            folder.blob.append(own);
        folder.blob.push_back('\0');
    }
    folder.blob.shrink_to_fit();
    folder.order.shrink_to_fit();
}

bool FileNameIndex::listFolder(const std::string& path)
{
    timespec listedAt{};
    clock_gettime(CLOCK_REALTIME, &listedAt);
    // The scratch list keeps its capacity from one listing to the next: a folder of a few
    // thousand names would otherwise be mapped and unmapped afresh at every lookup that sees a
    // change, and its page faults cost more than the listing itself.
    std::vector<std::pair<std::string, std::string>>& names = m_scratchNames;
    names.clear();
    std::vector<std::string> subfolders;
    search::FolderStamp stamp;
    const bool read = search::forEachFolderEntry(
        path,
        [&](std::string_view name, bool isFolder) {
            if (isFolder)
                subfolders.emplace_back(name);
            else
                names.emplace_back(search::foldName(name), std::string(name));
        },
        &stamp);
    if (!read)
        return false;

    Folder& folder = m_folders[path];
    if (m_collectArrivals)
        collectArrivals(path, folder, names);
    setIdentity(path, folder, stamp);
    folder.unsettled = stamp.mtimeSec >= listedAt.tv_sec - kSettleSeconds;
    // A folder that is still changing is listed again at the next lookup: sorting it now would
    // be thrown away, and a plain scan of one folder's names costs far less than the sort.
    setNames(folder, names, !folder.unsettled);
    ++m_listedByLastLookup;

    std::sort(subfolders.begin(), subfolders.end());
    std::vector<std::string> vanished;
    std::set_difference(folder.subfolders.begin(), folder.subfolders.end(), subfolders.begin(),
                        subfolders.end(), std::back_inserter(vanished));
    std::vector<std::string> added;
    std::set_difference(subfolders.begin(), subfolders.end(), folder.subfolders.begin(),
                        folder.subfolders.end(), std::back_inserter(added));
    folder.subfolders = std::move(subfolders); // `folder` is not touched below: the map changes
    for (const std::string& name : vanished)
        removeTree(childPath(path, name));
    for (const std::string& name : added)
        indexTree(childPath(path, name));
    return true;
}

void FileNameIndex::collectArrivals(const std::string& path, const Folder& folder,
                                    const std::vector<std::pair<std::string, std::string>>& names)
{
    std::unordered_set<std::string_view> held;
    held.reserve(folder.order.size());
    for (const uint32_t offset : folder.order) {
        const char* folded = folder.blob.data() + offset;
        const char* own = folded + std::strlen(folded) + 1;
        held.insert(*own ? own : folded);
    }
    for (const auto& [folded, own] : names) {
        if (!held.count(own))
            m_arrivals.push_back(childPath(path, own));
    }
}

void FileNameIndex::setCollectArrivals(bool collect)
{
    m_collectArrivals = collect;
    if (!collect)
        m_arrivals.clear();
}

std::vector<std::string> FileNameIndex::takeArrivals()
{
    return std::exchange(m_arrivals, {});
}

void FileNameIndex::setIdentity(const std::string& path, Folder& folder,
                                const search::FolderStamp& stamp)
{
    if (!(folder.stamp.device == stamp.device && folder.stamp.inode == stamp.inode))
        forgetIdentity(path, folder);
    m_identities.insert_or_assign(Identity{stamp.device, stamp.inode}, path);
    folder.stamp = stamp;
}

void FileNameIndex::forgetIdentity(const std::string& path, const Folder& folder)
{
    const auto it = m_identities.find({folder.stamp.device, folder.stamp.inode});
    if (it != m_identities.end() && it->second == path)
        m_identities.erase(it);
}

void FileNameIndex::indexTree(const std::string& path)
{
    if (m_folders.count(path))
        return;
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return;
    // A folder reached a second time through a symbolic link (a loop, or two links to one
    // folder) is indexed once, under the first path found. But the folder that holds the
    // identity may be gone, its inode already handed to this new one (ext4 does so at once), or
    // hold another identity by now: then the identity is this folder's.
    const auto held = m_identities.find({st.st_dev, st.st_ino});
    if (held != m_identities.end()) {
        struct stat holder;
        if (stat(held->second.c_str(), &holder) == 0 && holder.st_dev == st.st_dev &&
            holder.st_ino == st.st_ino) {
            m_aliases.insert(path);
            return;
        }
        m_identities.erase(held); // the stale entry goes when its own path is revalidated
    }
    listFolder(path);
}

void FileNameIndex::removeTree(const std::string& path)
{
    auto it = m_folders.lower_bound(path);
    while (it != m_folders.end() && inScope(it->first, path)) {
        forgetIdentity(it->first, it->second);
        it = m_folders.erase(it);
    }
    for (auto alias = m_aliases.lower_bound(path);
         alias != m_aliases.end() && inScope(*alias, path);)
        alias = m_aliases.erase(alias);
}

void FileNameIndex::revalidate(const std::string& scope)
{
    std::vector<std::string> paths;
    for (auto it = m_folders.lower_bound(scope); it != m_folders.end() && inScope(it->first, scope);
         ++it)
        paths.push_back(it->first);
    for (const std::string& path : paths) {
        const auto it = m_folders.find(path);
        if (it == m_folders.end())
            continue; // removed with a vanished parent
        struct stat st;
        if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            removeTree(path);
            continue;
        }
        const search::FolderStamp now{st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
        if (it->second.unsettled || !(now == it->second.stamp)) {
            if (!listFolder(path))
                removeTree(path);
        }
    }
    std::vector<std::string> aliases;
    for (auto it = m_aliases.lower_bound(scope); it != m_aliases.end() && inScope(*it, scope);) {
        aliases.push_back(*it);
        it = m_aliases.erase(it);
    }
    for (const std::string& alias : aliases)
        indexTree(alias);
}

void FileNameIndex::prepare(const QString& folder)
{
    const std::string scope = toBytes(folder);
    m_listedByLastLookup = 0;
    if (m_folders.count(scope))
        revalidate(scope);
    else
        indexTree(scope);
}

QStringList FileNameIndex::lookup(const QString& folder, const QStringList& ids)
{
    std::vector<std::string> prefixes;
    for (const QString& id : ids) {
        std::string folded = search::foldName(search::trimmedSearchID(id));
        if (!folded.empty())
            prefixes.push_back(std::move(folded));
    }
    QStringList found;
    if (folder.isEmpty() || prefixes.empty())
        return found;
    prepare(folder);
    const std::string scope = toBytes(folder);

    std::vector<std::pair<QString, QString>> hits; // (file name, full path)
    for (auto it = m_folders.lower_bound(scope); it != m_folders.end() && inScope(it->first, scope);
         ++it) {
        const Folder& f = it->second;
        const char* blob = f.blob.data();
        auto take = [&](const char* folded) {
            const char* own = folded + std::strlen(folded) + 1;
            const std::string path = childPath(it->first, *own ? own : folded);
            // The type first: opening a FIFO named like a photo to read its format would block.
            if (!search::isRegularFile(path))
                return;
            QString decoded = decodeFileName(path);
            if (isImageFile(decoded))
                hits.emplace_back(decoded.mid(decoded.lastIndexOf(QLatin1Char('/')) + 1),
                                  std::move(decoded));
        };
        for (const std::string& prefix : prefixes) {
            if (!f.sorted) {
                for (const uint32_t offset : f.order) {
                    if (std::strncmp(blob + offset, prefix.c_str(), prefix.size()) == 0)
                        take(blob + offset);
                }
                continue;
            }
            auto pos = std::lower_bound(f.order.begin(), f.order.end(), prefix,
                                        [blob](uint32_t offset, const std::string& key) {
                                            return std::strcmp(blob + offset, key.c_str()) < 0;
                                        });
            for (; pos != f.order.end(); ++pos) {
                if (std::strncmp(blob + *pos, prefix.c_str(), prefix.size()) != 0)
                    break;
                take(blob + *pos);
            }
        }
    }
    std::sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) {
        const int byName = QString::compare(a.first, b.first, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.second < b.second;
    });
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end()); // two IDs, one file
    for (const auto& hit : hits)
        found.append(hit.second);
    return found;
}

void FileNameIndex::insertFolderForTesting(const std::string& path,
                                           const std::vector<std::string>& names)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    pairs.reserve(names.size());
    for (const std::string& name : names)
        pairs.emplace_back(search::foldName(name), name);
    setNames(m_folders[path], pairs, true);
}

FileNameIndex::Statistics FileNameIndex::statistics() const
{
    Statistics s;
    s.folders = qsizetype(m_folders.size());
    for (const auto& [path, folder] : m_folders)
        s.names += qsizetype(folder.order.size());
    s.foldersListedByLastLookup = m_listedByLastLookup;
    return s;
}

} // namespace kivo
