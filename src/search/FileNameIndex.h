#pragma once

#include "search/FolderWalk.h"

#include <QString>
#include <QStringList>

#include <ctime>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kivo {

// An in-memory index of the file names below one or more folders, answering "the image files
// below FOLDER whose names begin with one of these IDs" without listing the tree again.
//
// A lookup looks at no folder on disk, however many the index holds (on a share each look is a
// round trip to the server). Two things keep the index current instead. The kernel's change events
// for the indexed folders are read at each lookup, and a folder they name is listed again before
// the answer: on local disk a file added a moment before a lookup is found by it. The images folder
// is often a network share that other machines write into, where no such events arrive: so a thread
// of the index's own checks the modification time (and identity) of every indexed folder every
// kCheckSeconds and lists the changed ones again itself, and the next lookup takes those
// listings over. A folder changed so recently that a further change could still hide inside its
// time stamp's resolution is listed again at each check until it has settled. A file added on a
// share is therefore found within about kCheckSeconds (plus the time of one check).
//
// A folder that cannot be read (a share away for a moment) keeps the names it held, and the
// background check reads it again until it answers; a folder the index has never read is read by
// the check once it answers. A folder leaves the index only when the listing of the folder above
// no longer names it.
//
// Not thread-safe: one thread at a time (the station keeps it on its own thread).
class FileNameIndex
{
public:
    FileNameIndex();
    ~FileNameIndex();
    FileNameIndex(const FileNameIndex&) = delete;
    FileNameIndex& operator=(const FileNameIndex&) = delete;

    // Full paths of the image files below FOLDER (at any depth) whose file names begin with one
    // of IDS (trimmed of "[" and "]"), without regard to case or diacritics, ordered by file
    // name. FOLDER is indexed on its first lookup. Empty when FOLDER has never been read; once
    // read, the names it held are answered while it does not answer.
    QStringList lookup(const QString& folder, const QStringList& ids);

    // Indexes FOLDER now (or takes over the changes seen since the last call), so that the
    // first customer does not wait.
    void prepare(const QString& folder);

    // Without change events from the kernel, as on a share that other machines write into: only
    // the background checks see changes. Set before the first lookup.
    void setChangeEventsForTesting(bool on);

    // With COLLECT set, the files that listings find and the index did not hold (every file of a
    // folder listed for the first time) are kept until takeArrivals(): the photos that came in.
    void setCollectArrivals(bool collect);
    // The full paths (bytes) of the files found since the last call, in listing order.
    std::vector<std::string> takeArrivals();

    // Adds a folder's names directly, as a listing would (for measuring memory without a
    // million real files).
    void insertFolderForTesting(const std::string& path, const std::vector<std::string>& names);

    struct Statistics
    {
        qsizetype folders = 0;
        qsizetype names = 0;
        qsizetype foldersListedByLastLookup = 0;
    };
    Statistics statistics() const;

    // Folders whose modification time is this close to their listing time are listed again.
    static constexpr long long kSettleSeconds = 2;
    // How often the background check looks at every indexed folder.
    static constexpr int kCheckSeconds = 2;

private:
    // One reading of a folder, made on the index's thread or by the background check.
    struct Listing
    {
        bool read = false;
        search::FolderStamp stamp;
        bool unsettled = false; // to be listed again at each check
        bool linked = false;
        long long startedAt = 0; // steady clock, ns
        // (folded, own) pairs, sorted by folded name; subfolders sorted.
        std::vector<std::pair<std::string, std::string>> names;
        std::vector<std::string> subfolders;
    };
    static Listing readFolder(const std::string& path);

    struct Folder
    {
        search::FolderStamp stamp;
        bool linked = false;     // names reached through symbolic links: checked at each hit
        long long listedAt = -1; // startedAt of the listing held; -1: never read
        int watch = -1;          // change-event watch, or -1
        // For each file: its folded name, a NUL, then its own name when that differs (else
        // nothing), and a NUL. `order` holds the entries' offsets, sorted by folded name.
        std::string blob;
        std::vector<uint32_t> order;
        std::vector<std::string> subfolders;
    };

    // What the background check shares with the index: the folders to check, as last listed,
    // and the listings it made of the changed ones. Owned jointly with the check's thread, which
    // a share that stopped answering may hold past the index's end.
    struct Checks;
    static void runChecks(std::shared_ptr<Checks> checks);

    // Lists again the folders that change events or the background check found changed.
    void takeChanges();
    // Lists again every folder whose time stamp changed (after change events were lost).
    void revalidate();
    // Starts the background check, once.
    void startChecks();
    // Lists PATH into its entry (adding new subfolders, dropping vanished ones); false when it
    // cannot be read.
    bool listFolder(const std::string& path);
    // Takes LISTING over as the contents of PATH.
    void applyListing(const std::string& path, Listing&& listing);
    // Indexes the folder at PATH and those below it, unless it is another path to an indexed
    // folder. NAMED: the listing of the folder above names it, so it is held (and read once it
    // answers) even when it does not answer now.
    void indexTree(const std::string& path, bool named = false);
    // Has the background check list PATH again at each check until it answers.
    void recheck(const std::string& path);
    // Sets FOLDER's change-event watch to WD (-1: none), dropping the one it had.
    void watch(const std::string& path, Folder& folder, int wd);
    void unwatch(const std::string& path, Folder& folder);
    // Keeps the NAMES ((folded, own) pairs) just listed in PATH that FOLDER does not hold yet.
    void collectArrivals(const std::string& path, const Folder& folder,
                         const std::vector<std::pair<std::string, std::string>>& names);
    void removeTree(const std::string& path);
    // Stores NAMES ((folded, own) pairs, sorted) in FOLDER.
    static void setNames(Folder& folder,
                         const std::vector<std::pair<std::string, std::string>>& names);

    using Identity = std::pair<dev_t, ino_t>;
    // Registers the identity of the folder at PATH, forgetting the one it had before.
    void setIdentity(const std::string& path, Folder& folder, const search::FolderStamp& stamp);
    // True when another indexed path holds STAMP's identity and still leads to it.
    bool heldElsewhere(const std::string& path, const search::FolderStamp& stamp);
    // Forgets FOLDER's identity when PATH still holds it.
    void forgetIdentity(const std::string& path, const Folder& folder);

    std::map<std::string, Folder> m_folders; // by absolute path
    // The path of the indexed folder that holds each identity: a folder met again under another
    // path (a link loop, or two links to one folder) is indexed once.
    std::map<Identity, std::string> m_identities;
    // Paths left out as another path to an indexed folder, tried again at each lookup in their
    // scope: the folder they were taken for may be gone by then.
    std::set<std::string> m_aliases;
    int m_events = -1;                    // the change-event (inotify) descriptor
    std::map<int, std::string> m_watched; // watch -> folder path
    std::shared_ptr<Checks> m_checks;
    bool m_checking = false; // the check's thread runs
    qsizetype m_listedByLastLookup = 0;
    bool m_collectArrivals = false;
    std::vector<std::string> m_arrivals;
};

} // namespace kivo
