#pragma once

#include "search/FolderWalk.h"

#include <QString>
#include <QStringList>

#include <ctime>
#include <map>
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
// The images folder is often a network share that other machines write into, where no change
// events arrive. So every lookup first checks the modification time (and identity) of each
// indexed folder in its scope and lists again only the folders that changed; a folder changed
// so recently that a further change could still hide inside its time stamp's resolution is
// listed again at the next lookup too, until it has settled. A file added a moment before a
// lookup is therefore found by it.
//
// Not thread-safe: one thread at a time (the station keeps it on its own thread).
class FileNameIndex
{
public:
    FileNameIndex() = default;

    // Full paths of the image files below FOLDER (at any depth) whose file names begin with one
    // of IDS (trimmed of "[" and "]"), without regard to case or diacritics, ordered by file
    // name. FOLDER is indexed on its first lookup. Empty when FOLDER cannot be read.
    QStringList lookup(const QString& folder, const QStringList& ids);

    // Indexes FOLDER now (or brings it up to date), so that the first customer does not wait.
    void prepare(const QString& folder);

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

private:
    struct Folder
    {
        search::FolderStamp stamp;
        bool unsettled = false;
        bool sorted = true;
        // For each file: its folded name, a NUL, then its own name when that differs (else
        // nothing), and a NUL. `order` holds the entries' offsets, sorted by folded name when
        // `sorted` is set (a folder still changing is kept in listing order and scanned).
        std::string blob;
        std::vector<uint32_t> order;
        std::vector<std::string> subfolders;
    };

    void revalidate(const std::string& scope);
    // Lists PATH into its entry (adding new subfolders, dropping vanished ones); false when it
    // cannot be read.
    bool listFolder(const std::string& path);
    void indexTree(const std::string& path);
    // Keeps the NAMES ((folded, own) pairs) just listed in PATH that FOLDER does not hold yet.
    void collectArrivals(const std::string& path, const Folder& folder,
                         const std::vector<std::pair<std::string, std::string>>& names);
    void removeTree(const std::string& path);
    // Stores NAMES ((folded, own) pairs) in FOLDER, sorted by folded name when SORTED is set.
    void setNames(Folder& folder, std::vector<std::pair<std::string, std::string>>& names,
                  bool sorted);

    using Identity = std::pair<dev_t, ino_t>;
    // Registers the identity of the folder at PATH, forgetting the one it had before.
    void setIdentity(const std::string& path, Folder& folder, const search::FolderStamp& stamp);
    // Forgets FOLDER's identity when PATH still holds it.
    void forgetIdentity(const std::string& path, const Folder& folder);

    std::map<std::string, Folder> m_folders; // by absolute path
    // The path of the indexed folder that holds each identity: a folder met again under another
    // path (a link loop, or two links to one folder) is indexed once.
    std::map<Identity, std::string> m_identities;
    // Paths left out as another path to an indexed folder, tried again at each lookup in their
    // scope: the folder they were taken for may be gone by then.
    std::set<std::string> m_aliases;
    qsizetype m_listedByLastLookup = 0;
    bool m_collectArrivals = false;
    std::vector<std::string> m_arrivals;
    std::vector<std::pair<std::string, std::string>> m_scratchNames;
};

} // namespace kivo
