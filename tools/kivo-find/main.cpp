// kivo-find [-onlyin FOLDER] ID...
//
// Prints the full paths of the image files below FOLDER (by default the station's images
// folder, else the current folder) whose file names begin with one of the IDs, without regard
// to case or diacritics ("[" and "]" around an ID are ignored), one a line. The station runs it
// to find a customer's photos; operators use it to check what a card's ID finds.

#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "search/FolderScan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: kivo-find [-onlyin FOLDER] ID...\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    QString folder;
    QStringList ids;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && arg == QLatin1String("-onlyin")) {
            if (++i >= args.size())
                return usage();
            folder = args.at(i);
        } else if (!optionsEnded &&
                   (arg == QLatin1String("-h") || arg == QLatin1String("--help"))) {
            usage();
            return 0;
        } else {
            ids.append(arg);
        }
    }
    if (ids.isEmpty())
        return usage();
    if (folder.isEmpty())
        folder = kivo::Settings::standardUserDefaults().stringForKey(
            QLatin1String(kivo::sPrefMainImagesFolder));
    if (folder.isEmpty())
        folder = QDir::currentPath();
    folder = QFileInfo(folder).absoluteFilePath();
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "kivo-find: cannot read folder %s\n", qPrintable(folder));
        return 1;
    }

    QByteArray out;
    for (const QString& path : kivo::findImageFilesWithNamePrefix(folder, ids)) {
        out += QFile::encodeName(path);
        out += '\n';
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
