#include "core/FileReference.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <sys/stat.h>

namespace kivo {

namespace {

constexpr quint32 kMagic = 0x4B465246; // "KFRF"
constexpr quint32 kVersion = 1;

struct Identity
{
    quint64 device = 0;
    quint64 inode = 0;
    bool valid = false;
};

Identity identityOf(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino), true};
}

bool decode(const QByteArray& bytes, QString* path, Identity* id)
{
    QDataStream in(bytes);
    quint32 magic = 0;
    quint32 version = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return false;
    in >> *path >> id->device >> id->inode;
    id->valid = in.status() == QDataStream::Ok;
    return id->valid;
}

// Looks for the item with ID below FOLDER, at most DEPTH levels down.
QString findByIdentity(const QString& folder, const Identity& id, int depth)
{
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        const Identity candidate = identityOf(entry.absoluteFilePath());
        if (candidate.valid && candidate.device == id.device && candidate.inode == id.inode)
            return entry.absoluteFilePath();
    }
    if (depth <= 0)
        return {};
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            const QString found = findByIdentity(entry.absoluteFilePath(), id, depth - 1);
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

} // namespace

QByteArray FileReference::create(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const Identity id = identityOf(absolute);
    if (!id.valid)
        return {};
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kMagic << kVersion << absolute << id.device << id.inode;
    return bytes;
}

QString FileReference::storedPath(const QByteArray& reference)
{
    QString path;
    Identity id;
    return decode(reference, &path, &id) ? path : QString();
}

bool FileReference::resolve(const QByteArray& reference, QString* resolvedPath)
{
    QString path;
    Identity id;
    if (!decode(reference, &path, &id))
        return false;
    const Identity now = identityOf(path);
    if (now.valid && now.device == id.device && now.inode == id.inode) {
        if (resolvedPath)
            *resolvedPath = path;
        return true;
    }
    // Search outward from the old place: the parent, then the grandparent, each two levels deep.
    QString parent = QFileInfo(path).absolutePath();
    for (int level = 0; level < 2 && !parent.isEmpty(); ++level) {
        if (QFileInfo(parent).isDir()) {
            const QString found = findByIdentity(parent, id, 1);
            if (!found.isEmpty()) {
                if (resolvedPath)
                    *resolvedPath = found;
                return true;
            }
        }
        const QString up = QFileInfo(parent).absolutePath();
        if (up == parent)
            break;
        parent = up;
    }
    // The same path may hold a new item (the old one was replaced): that is not the same item.
    return false;
}

} // namespace kivo
