#include "search/FolderWalk.h"

#include <cerrno>
#include <set>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace kivo::search {

bool forEachFolderEntry(const std::string& path,
                        const std::function<void(std::string_view name, bool isFolder)>& visit,
                        FolderStamp* stamp, const std::function<bool(const FolderStamp&)>& accept,
                        bool* linked, bool* unresolved)
{
    if (linked)
        *linked = false;
    if (unresolved)
        *unresolved = false;
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return false;
    const int fd = dirfd(dir);
    if (stamp || accept) {
        FolderStamp own;
        struct stat st;
        if (fstat(fd, &st) == 0)
            own = {st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
        if (stamp)
            *stamp = own;
        if (accept && !accept(own)) {
            closedir(dir);
            return true;
        }
    }
    for (;;) {
        // A share that drops mid-listing ends it with an error, not with its last entry.
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry)
            break;
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st;
            if (fstatat(fd, name, &st, 0) != 0) {
                if (unresolved)
                    *unresolved = true;
                continue; // a dangling link leads to nothing to find
            }
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR || type == DT_REG) {
            if (linked && entry->d_type == DT_LNK)
                *linked = true;
            visit(name, type == DT_DIR);
        }
    }
    const bool whole = errno == 0;
    closedir(dir);
    return whole;
}

bool isRegularFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool walkFolderTree(
    const std::string& root,
    const std::function<void(const std::string& relativeFolder)>& visitFolder,
    const std::function<void(const std::string& relativeFolder, std::string_view name)>& visitFile)
{
    std::set<std::pair<dev_t, ino_t>> walked;
    std::vector<std::string> pending{std::string()};
    bool rootRead = false;
    std::vector<std::string> subfolders;
    std::vector<std::string> files;
    while (!pending.empty()) {
        const std::string relative = std::move(pending.back());
        pending.pop_back();
        std::string absolute = root;
        if (!relative.empty())
            absolute.append(1, '/').append(relative);
        subfolders.clear();
        files.clear();
        bool firstVisit = false;
        const bool opened = forEachFolderEntry(
            absolute,
            [&](std::string_view name, bool isFolder) {
                if (isFolder)
                    subfolders.emplace_back(name);
                else
                    files.emplace_back(name);
            },
            nullptr,
            [&](const FolderStamp& stamp) {
                firstVisit = walked.emplace(stamp.device, stamp.inode).second;
                return firstVisit;
            });
        if (!opened)
            continue;
        if (relative.empty())
            rootRead = true;
        if (!firstVisit)
            continue;
        if (visitFolder)
            visitFolder(relative);
        for (const std::string& name : files)
            visitFile(relative, name);
        // Reversed so that the stack walks subfolders in listing order.
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
            pending.push_back(relative.empty() ? *it : relative + '/' + *it);
    }
    return rootRead;
}

} // namespace kivo::search
