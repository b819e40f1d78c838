#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace kivo::search {

// One folder's own identity and modification time, as stat() reports them.
struct FolderStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    long long mtimeSec = 0;
    long long mtimeNsec = 0;
    bool operator==(const FolderStamp&) const = default;
};

// Calls VISIT(name, isFolder) for each folder and regular file in the folder at PATH ("." and
// ".." left out). Symbolic links and entries of unknown type are resolved: a link to a folder
// counts as a folder, a dangling link is left out. FIFOs, sockets and devices are left out: they
// hold no photo, and opening a FIFO to read its format would wait for a writer for ever. False when
// the folder cannot be opened or read to its end (the entries visited are then not all it holds);
// *STAMP (when given) receives the folder's identity, read from the opened folder itself. When
// ACCEPT is given and answers false for that identity, no entry is visited. *LINKED (when given) is
// set when an entry visited is a symbolic link; *UNRESOLVED (when given) when an entry was left out
// because what it leads to could not be looked at (a dangling link, whose target may be on a server
// that is away for a moment).
bool forEachFolderEntry(const std::string& path,
                        const std::function<void(std::string_view name, bool isFolder)>& visit,
                        FolderStamp* stamp = nullptr,
                        const std::function<bool(const FolderStamp&)>& accept = {},
                        bool* linked = nullptr, bool* unresolved = nullptr);

// True when PATH (bytes, links followed) is a regular file: the one kind of entry that may be
// opened to read its format.
bool isRegularFile(const std::string& path);

// Walks every folder below ROOT, depth first. VISITFOLDER(relativeFolder) is called for each
// folder entered ("" for ROOT itself), then VISITFILE(relativeFolder, name) for its files.
// Symbolic links to folders are followed, each folder once: a link loop ends where it comes
// back to a folder already walked. Folders that cannot be read are skipped; false only when
// ROOT itself cannot be read.
bool walkFolderTree(
    const std::string& root,
    const std::function<void(const std::string& relativeFolder)>& visitFolder,
    const std::function<void(const std::string& relativeFolder, std::string_view name)>& visitFile);

} // namespace kivo::search
