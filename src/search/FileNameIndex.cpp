#include "search/FileNameIndex.h"

#include "core/FileNames.h"
#include "imaging/ImageFileType.h"
#include "search/NameFolding.h"

#include <QDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

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

long long steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The changes to a folder's names (files and subfolders coming and going, the folder itself
// going); changes to the files' contents do not concern the index.
constexpr uint32_t kEventMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

struct FileNameIndex::Checks
{
    struct Known
    {
        search::FolderStamp stamp;
        bool unsettled = false;
    };
    std::mutex mutex;
    std::condition_variable wake;
    std::atomic<bool> stop{false}; // written under the mutex; read without it between folders
    std::map<std::string, Known> folders;    // the indexed folders, as last listed
    std::map<std::string, Listing> listings; // new listings of changed folders, not yet taken
};

FileNameIndex::FileNameIndex()
    : m_events(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), m_checks(std::make_shared<Checks>())
{}

FileNameIndex::~FileNameIndex()
{
    {
        const std::lock_guard lock(m_checks->mutex);
        m_checks->stop = true;
    }
    m_checks->wake.notify_all();
    if (m_events >= 0)
        close(m_events);
}

void FileNameIndex::setChangeEventsForTesting(bool on)
{
    if (on || m_events < 0)
        return;
    close(m_events);
    m_events = -1;
    m_watched.clear();
    for (auto& [path, folder] : m_folders)
        folder.watch = -1;
}

void FileNameIndex::setNames(Folder& folder,
                             const std::vector<std::pair<std::string, std::string>>& names)
{
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

FileNameIndex::Listing FileNameIndex::readFolder(const std::string& path)
{
    Listing listing;
    listing.startedAt = steadyNs();
    timespec listedAt{};
    clock_gettime(CLOCK_REALTIME, &listedAt);
    bool unresolved = false;
    listing.read = search::forEachFolderEntry(
        path,
        [&](std::string_view name, bool isFolder) {
            if (isFolder)
                listing.subfolders.emplace_back(name);
            else
                listing.names.emplace_back(search::foldName(name), std::string(name));
        },
        &listing.stamp, {}, &listing.linked, &unresolved);
    if (!listing.read)
        return listing;
    // A link whose target does not answer is left out; listed again at each check, the folder
    // takes it in again once it answers, though nothing in the folder itself changed.
    listing.unsettled = listing.stamp.mtimeSec >= listedAt.tv_sec - kSettleSeconds || unresolved;
    std::sort(listing.names.begin(), listing.names.end());
    std::sort(listing.subfolders.begin(), listing.subfolders.end());
    return listing;
}

void FileNameIndex::runChecks(std::shared_ptr<Checks> checks)
{
    std::unique_lock lock(checks->mutex);
    for (;;) {
        checks->wake.wait_for(lock, std::chrono::seconds(kCheckSeconds),
                              [&] { return checks->stop.load(); });
        if (checks->stop)
            return;
        const std::vector<std::pair<std::string, Checks::Known>> folders(checks->folders.begin(),
                                                                         checks->folders.end());
        lock.unlock();
        for (const auto& [path, known] : folders) {
            if (checks->stop)
                return;
            // Not under the lock: on a share that stopped answering this waits, and the index
            // must go on answering from what it holds.
            struct stat st;
            if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && !known.unsettled &&
                search::FolderStamp{st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec} ==
                    known.stamp)
                continue;
            Listing listing = readFolder(path);
            if (!listing.read)
                continue; // kept as last listed, and tried again at the next check
            lock.lock();
            if (checks->stop)
                return;
            const auto held = checks->folders.find(path);
            if (held == checks->folders.end()) {
                lock.unlock();
                continue; // dropped from the index meanwhile
            }
            held->second = {listing.stamp, listing.unsettled};
            checks->listings.insert_or_assign(path, std::move(listing));
            lock.unlock();
        }
        lock.lock();
    }
}

void FileNameIndex::startChecks()
{
    if (m_checking)
        return;
    try {
        std::thread(runChecks, m_checks).detach();
        m_checking = true;
    } catch (const std::system_error&) {
        // Tried again at the next listing; change events still arrive meanwhile.
    }
}

void FileNameIndex::watch(const std::string& path, Folder& folder, int wd)
{
    if (wd == folder.watch)
        return;
    unwatch(path, folder);
    folder.watch = wd;
    if (wd >= 0)
        m_watched[wd] = path;
}

void FileNameIndex::unwatch(const std::string& path, Folder& folder)
{
    if (folder.watch < 0)
        return;
    const auto it = m_watched.find(folder.watch);
    if (it != m_watched.end() && it->second == path) {
        m_watched.erase(it);
        inotify_rm_watch(m_events, folder.watch);
    }
    folder.watch = -1;
}

bool FileNameIndex::listFolder(const std::string& path)
{
    // Watched before it is read: a change made while it is being read still raises an event.
    const int wd = m_events >= 0 ? inotify_add_watch(m_events, path.c_str(), kEventMask) : -1;
    Listing listing = readFolder(path);
    if (!listing.read) {
        if (wd >= 0 && !m_watched.count(wd))
            inotify_rm_watch(m_events, wd);
        return false;
    }
    watch(path, m_folders[path], wd);
    applyListing(path, std::move(listing));
    startChecks();
    return true;
}

void FileNameIndex::applyListing(const std::string& path, Listing&& listing)
{
    Folder& folder = m_folders[path];
    if (m_collectArrivals)
        collectArrivals(path, folder, listing.names);
    setIdentity(path, folder, listing.stamp);
    folder.listedAt = listing.startedAt;
    folder.linked = listing.linked;
    setNames(folder, listing.names);
    ++m_listedByLastLookup;
    {
        const std::lock_guard lock(m_checks->mutex);
        m_checks->folders[path] = {listing.stamp, listing.unsettled};
    }

    std::vector<std::string> vanished;
    std::set_difference(folder.subfolders.begin(), folder.subfolders.end(),
                        listing.subfolders.begin(), listing.subfolders.end(),
                        std::back_inserter(vanished));
    std::vector<std::string> added;
    std::set_difference(listing.subfolders.begin(), listing.subfolders.end(),
                        folder.subfolders.begin(), folder.subfolders.end(),
                        std::back_inserter(added));
    // `folder` is not touched below: the map changes.
    folder.subfolders = std::move(listing.subfolders);
    for (const std::string& name : vanished)
        removeTree(childPath(path, name));
    for (const std::string& name : added)
        indexTree(childPath(path, name), true);
}

void FileNameIndex::takeChanges()
{
    std::set<std::string> changed;
    bool lost = false;
    if (m_events >= 0) {
        alignas(inotify_event) char buffer[16384];
        ssize_t size;
        while ((size = read(m_events, buffer, sizeof buffer)) > 0) {
            for (const char* at = buffer; at < buffer + size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                at += sizeof(inotify_event) + event->len;
                if (event->mask & IN_Q_OVERFLOW) {
                    lost = true;
                    continue;
                }
                const auto it = m_watched.find(event->wd);
                if (it == m_watched.end())
                    continue;
                changed.insert(it->second);
                if (event->mask & IN_IGNORED) { // the folder is gone (or its file system)
                    if (const auto folder = m_folders.find(it->second); folder != m_folders.end())
                        folder->second.watch = -1;
                    m_watched.erase(it);
                }
            }
        }
    }
    for (const std::string& path : changed) {
        // A folder that does not answer keeps what it held (a folder removed for good goes with
        // the listing of the folder above, listed first).
        if (m_folders.count(path) && !listFolder(path))
            recheck(path);
    }
    if (lost)
        revalidate();

    std::map<std::string, Listing> listings;
    {
        const std::lock_guard lock(m_checks->mutex);
        listings.swap(m_checks->listings);
    }
    // By path: a parent's listing may drop or add its subfolders before theirs are looked at.
    for (auto& [path, listing] : listings) {
        const auto it = m_folders.find(path);
        if (it == m_folders.end() || listing.startedAt <= it->second.listedAt)
            continue; // gone, or listed since by a change event
        Folder& folder = it->second;
        if (folder.listedAt < 0 && heldElsewhere(path, listing.stamp)) {
            // Read for the first time, and found to be another path to an indexed folder.
            removeTree(path);
            m_aliases.insert(path);
            continue;
        }
        // A new folder under this path, or one whose watch went with its file system.
        if (m_events >= 0 && (folder.watch < 0 || !(folder.stamp.device == listing.stamp.device &&
                                                    folder.stamp.inode == listing.stamp.inode)))
            watch(path, folder, inotify_add_watch(m_events, path.c_str(), kEventMask));
        applyListing(path, std::move(listing));
    }
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

bool FileNameIndex::heldElsewhere(const std::string& path, const search::FolderStamp& stamp)
{
    // A folder reached a second time through a symbolic link (a loop, or two links to one
    // folder) is indexed once, under the first path found. But the folder that holds the
    // identity may be gone, its inode already handed to this new one (ext4 does so at once), or
    // hold another identity by now: then the identity is this folder's.
    const auto held = m_identities.find({stamp.device, stamp.inode});
    if (held == m_identities.end() || held->second == path)
        return false;
    struct stat holder;
    if (stat(held->second.c_str(), &holder) == 0 && holder.st_dev == stamp.device &&
        holder.st_ino == stamp.inode)
        return true;
    m_identities.erase(held); // the stale entry goes when its own path is revalidated
    return false;
}

void FileNameIndex::recheck(const std::string& path)
{
    {
        const std::lock_guard lock(m_checks->mutex);
        m_checks->folders[path].unsettled = true;
    }
    startChecks();
}

void FileNameIndex::indexTree(const std::string& path, bool named)
{
    if (m_folders.count(path))
        return;
    struct stat st;
    const bool answers = stat(path.c_str(), &st) == 0;
    if (answers && !S_ISDIR(st.st_mode))
        return;
    if (answers && heldElsewhere(path, {st.st_dev, st.st_ino, 0, 0})) {
        m_aliases.insert(path);
        return;
    }
    if ((!answers || !listFolder(path)) && named) {
        // The folder above names it, but it does not answer (a share away for a moment): held
        // without names until the background check reads it.
        m_folders.try_emplace(path);
        recheck(path);
    }
}

void FileNameIndex::removeTree(const std::string& path)
{
    auto it = m_folders.lower_bound(path);
    std::vector<std::string> removed;
    while (it != m_folders.end() && inScope(it->first, path)) {
        unwatch(it->first, it->second);
        forgetIdentity(it->first, it->second);
        removed.push_back(it->first);
        it = m_folders.erase(it);
    }
    {
        const std::lock_guard lock(m_checks->mutex);
        for (const std::string& gone : removed)
            m_checks->folders.erase(gone);
    }
    for (auto alias = m_aliases.lower_bound(path);
         alias != m_aliases.end() && inScope(*alias, path);)
        alias = m_aliases.erase(alias);
}

void FileNameIndex::revalidate()
{
    std::vector<std::string> paths;
    for (const auto& [path, folder] : m_folders)
        paths.push_back(path);
    for (const std::string& path : paths) {
        const auto it = m_folders.find(path);
        if (it == m_folders.end())
            continue; // removed with a vanished parent
        // One that does not answer keeps what it held; one removed for good goes with the
        // listing of the folder above, looked at first.
        struct stat st;
        if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            recheck(path);
            continue;
        }
        const search::FolderStamp now{st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
        if (!(now == it->second.stamp) && !listFolder(path))
            recheck(path);
    }
}

void FileNameIndex::prepare(const QString& folder)
{
    const std::string scope = toBytes(folder);
    m_listedByLastLookup = 0;
    takeChanges();
    if (!m_folders.count(scope)) {
        indexTree(scope);
        return;
    }
    std::vector<std::string> aliases;
    for (auto it = m_aliases.lower_bound(scope); it != m_aliases.end() && inScope(*it, scope);) {
        aliases.push_back(*it);
        it = m_aliases.erase(it);
    }
    for (const std::string& alias : aliases)
        indexTree(alias);
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
    auto searchFolder = [&](const std::string& folderPath, const Folder& f) {
        const char* blob = f.blob.data();
        auto take = [&](const char* folded) {
            const char* own = folded + std::strlen(folded) + 1;
            const std::string path = childPath(folderPath, *own ? own : folded);
            // A listing holds regular files only, and any change to them is seen as a change
            // of the folder; but a symbolic link's target may have gone since, elsewhere.
            if (f.linked && !search::isRegularFile(path))
                return;
            QString decoded = decodeFileName(path);
            if (isImageFile(decoded))
                hits.emplace_back(decoded.mid(decoded.lastIndexOf(QLatin1Char('/')) + 1),
                                  std::move(decoded));
        };
        for (const std::string& prefix : prefixes) {
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
    };
    // The folders in scope: SCOPE itself, and those below it ("SCOPE/..."), which sort together
    // before "SCOPE0" ('0' follows '/'): one range, without comparing every folder's path (a
    // sibling named alike, "SCOPE-2", sorts between SCOPE and them).
    if (const auto own = m_folders.find(scope); own != m_folders.end())
        searchFolder(own->first, own->second);
    const auto last = scope == "/" ? m_folders.end() : m_folders.lower_bound(scope + '0');
    for (auto it = m_folders.upper_bound(scope == "/" ? scope : scope + '/'); it != last; ++it)
        searchFolder(it->first, it->second);
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
    std::sort(pairs.begin(), pairs.end());
    setNames(m_folders[path], pairs);
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
