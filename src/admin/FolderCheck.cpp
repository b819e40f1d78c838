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

QString tr(const char* text)
{
    return QCoreApplication::translate("Preferences", text);
}

} // namespace

FolderCheck checkFolder(const QString& path, FolderUse use)
{
    if (path.trimmed().isEmpty())
        return refused(tr("No folder was chosen."));
    const QFileInfo info(path);
    if (!info.exists())
        return refused(tr("The folder [%1] does not exist.").arg(path));
    if (!info.isDir())
        return refused(tr("[%1] is not a folder.").arg(path));
    if (!info.isReadable() || !info.isExecutable())
        return refused(tr("The folder [%1] cannot be read.").arg(path));
    if (use == FolderUse::Write) {
        QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".kivo-write-check-XXXXXX")));
        if (!probe.open() || probe.write("k", 1) != 1 || !probe.flush())
            return refused(
                tr("The folder [%1] cannot be written: %2").arg(path, probe.errorString()));
    }
    return FolderCheck{true, QString()};
}

} // namespace kivo
