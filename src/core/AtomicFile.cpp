#include "core/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {

namespace {

QString systemError(const QString& what, const QString& path, int code)
{
    return QStringLiteral("%1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(code)));
}

void syncFolderOf(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeAllToDescriptor(int fd, const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("no file path");
        return false;
    }
    const QFileInfo info(path);
    QByteArray tmpl = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                        info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error =
                systemError(QStringLiteral("cannot create a temporary file beside"), path, errno);
        return false;
    }
    bool ok = writeAllToDescriptor(fd, data);
    int code = errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        code = errno;
    }
    // Readers expect the permissions of an ordinary file rather than mkstemp's 0600.
    if (ok) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(tmpl.constData(), QFile::encodeName(path).constData()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(tmpl.constData());
        if (error)
            *error = systemError(QStringLiteral("cannot write"), path, code);
        return false;
    }
    syncFolderOf(path);
    return true;
}

bool createFileExclusively(const QString& path, const QByteArray& data, QString* error,
                           bool* existed)
{
    if (existed)
        *existed = false;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (existed)
            *existed = (errno == EEXIST);
        if (error)
            *error = systemError(QStringLiteral("cannot create"), path, errno);
        return false;
    }
    bool ok = writeAllToDescriptor(fd, data) && ::fsync(fd) == 0;
    const int code = errno;
    ::close(fd);
    if (!ok) {
        // A half-written file would still hold the path: take it away again.
        ::unlink(name.constData());
        if (error)
            *error = systemError(QStringLiteral("cannot write"), path, code);
        return false;
    }
    syncFolderOf(path);
    return true;
}

} // namespace kivo
