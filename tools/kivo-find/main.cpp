// kivo-find [-0] [-onlyin FOLDER] ID...
//
// Prints the full paths of the image files below FOLDER (by default the station's images
// folder, else the current folder) whose file names begin with one of the IDs, without regard
// to case or diacritics ("[" and "]" around an ID are ignored), one a line, or each ended by a
// NUL with -0 (what the station reads: a file name may hold a line break). Paths are printed as
// the file system holds them, whatever their encoding. The station runs it to find a customer's
// photos; operators use it to check what a card's ID finds.

#include "core/FileNames.h"
#include "core/Settings.h"
#include "search/FolderScan.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace {

int usage()
{
    std::fputs("usage: kivo-find [-0] [-onlyin FOLDER] ID...\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    // The arguments are read as bytes: a folder's name need not be UTF-8.
    QByteArray folder;
    QStringList ids;
    char separator = '\n';
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && std::strcmp(arg, "-0") == 0) {
            separator = '\0';
        } else if (!optionsEnded && std::strcmp(arg, "-onlyin") == 0) {
            if (++i >= argc)
                return usage();
            folder = argv[i];
        } else if (!optionsEnded &&
                   (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0)) {
            usage();
            return 0;
        } else {
            ids.append(QString::fromUtf8(arg));
        }
    }
    if (ids.isEmpty())
        return usage();
    if (folder.isEmpty())
        folder = kivo::encodeFileName(kivo::Settings::instance().mainImagesFolder());
    if (folder.isEmpty())
        folder = ".";
    if (!folder.startsWith('/'))
        folder = kivo::encodeFileName(QDir::currentPath()) + '/' + folder;
    struct stat st;
    if (stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "kivo-find: cannot read folder %s\n", folder.constData());
        return 1;
    }

    QByteArray out;
    const QString root = kivo::decodeFileName(std::string_view(folder.constData()));
    for (const QString& path : kivo::findImageFilesByPrefix(root, ids)) {
        out += kivo::encodeFileName(path);
        out += separator;
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
