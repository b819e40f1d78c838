#include "core/AtomicFile.h"

#include "core/FileNames.h"

#include <QFileInfo>
#include <QRandomGenerator>

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
    const QByteArray folder = encodeFileName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Creates a hidden file with a fresh name beside INFO's path, with the permissions of any new
// file (0666 less the file-creation mask); its name goes to NAME. -1 with errno set on failure.
int createTemporaryBeside(const QFileInfo& info, QByteArray* name)
{
    const QString stem = info.absolutePath() + QStringLiteral("/.") + info.fileName();
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name =
            encodeFileName(stem + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(),
                                                            8, 16, QLatin1Char('0')));
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
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
    const QByteArray target = encodeFileName(path);
    QByteArray tmp;
    const int fd = createTemporaryBeside(info, &tmp);
    if (fd < 0) {
        if (error)
            *error =
                systemError(QStringLiteral("cannot create a temporary file beside"), path, errno);
        return false;
    }
    bool ok = writeAllToDescriptor(fd, data);
    int code = errno;
    // The temporary file was created with the permissions of an ordinary new file (the kernel
    // applies the file-creation mask). A file being replaced keeps the permissions it was given.
    // Only this descriptor is changed: that mask is process-wide and other threads create files
    // too.
    struct stat existing;
    if (ok && ::stat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(fd, existing.st_mode & 07777) != 0) {
        ok = false;
        code = errno;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        code = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(tmp.constData(), target.constData()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(tmp.constData());
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
    const QByteArray name = encodeFileName(path);
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
