#include "admin/FolderCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace kivo {

namespace {

FolderCheck refused(const QString& message)
{
    return FolderCheck{false, message};
}

// The texts' translation context, named here so that lupdate files them under the context
// they are looked up in at run time.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Preferences)
};

} // namespace

FolderCheck checkFolder(const QString& path, FolderUse use)
{
    if (path.trimmed().isEmpty())
        return refused(Texts::tr("No folder was chosen."));
    const QFileInfo info(path);
    if (!info.exists())
        return refused(Texts::tr("The folder [%1] does not exist.").arg(path));
    if (!info.isDir())
        return refused(Texts::tr("[%1] is not a folder.").arg(path));
    if (!info.isReadable() || !info.isExecutable())
        return refused(Texts::tr("The folder [%1] cannot be read.").arg(path));
    if (use == FolderUse::Write) {
        QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".kivo-write-check-XXXXXX")));
        if (!probe.open() || probe.write("k", 1) != 1 || !probe.flush())
            return refused(
                Texts::tr("The folder [%1] cannot be written: %2").arg(path, probe.errorString()));
    }
    return FolderCheck{true, QString()};
}

} // namespace kivo
