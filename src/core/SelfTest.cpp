#include "core/SelfTest.h"

#include "core/CheckedSettings.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {

namespace {

// The texts' translation context, named here so that lupdate files them under the context
// they are looked up in at run time.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SelfTest)
};

CheckResult passed(const QString& name)
{
    return {name, true, QString(), QString(), false};
}

CheckResult failed(const QString& name, const QString& reason, bool stopsSales = true)
{
    return {name, false, reason, QString(), stopsSales};
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

QList<CheckResult> SelfTest::run() const
{
    QList<CheckResult> results;
    results.reserve(m_checks.size());
    for (const SelfCheck& check : m_checks)
        results.append(check());
    return results;
}

QString SelfTest::orderFolder(const Settings& settings)
{
    const QString stored = settings.localServerPath();
    return stored.isEmpty() ? paths::sharedOrderFolder() : stored;
}

SelfTest SelfTest::coreChecks(const Settings& settings, const QString& logFile)
{
    SelfTest test;
    const Settings* s = &settings;
    test.add([s] { return checks::settingsUsable(*s); });
    test.add([s] { return checks::siteCodesChanged(*s); });
    test.add([s] { return checks::imagesFolderReadable(s->mainImagesFolder()); });
    test.add([s] { return checks::orderFolderWritable(*s); });
    test.add([s] {
        return checks::folderWritable(Texts::tr("Invoice folder"), s->tilboxPendingInvoiceFolder(),
                                      false);
    });
    test.add([logFile] { return checks::logWritable(logFile); });
    test.add([s] { return checks::freeSpace({orderFolder(*s), s->tilboxPendingInvoiceFolder()}); });
    return test;
}

QString SelfTest::line(const CheckResult& result)
{
    if (!result.ok)
        return QStringLiteral("%1: %2").arg(result.name, result.reason);
    if (result.detail.isEmpty())
        return QStringLiteral("%1: %2").arg(result.name, Texts::tr("OK"));
    return QStringLiteral("%1: %2 (%3)").arg(result.name, Texts::tr("OK"), result.detail);
}

bool SelfTest::allPassed(const QList<CheckResult>& results)
{
    for (const CheckResult& result : results)
        if (!result.ok)
            return false;
    return true;
}

QStringList SelfTest::salesStoppers(const QList<CheckResult>& results)
{
    QStringList reasons;
    for (const CheckResult& result : results)
        if (!result.ok && result.stopsSales)
            reasons.append(line(result));
    return reasons;
}

namespace checks {

CheckResult settingsReadable(const QString& path)
{
    const QString name = Texts::tr("Settings");
    const QFileInfo info(path);
    if (!info.exists())
        return passed(name); // factory defaults until the first save
    QString error;
    const QVariant stored = plist::readFile(path, &error);
    if (!stored.isValid())
        return failed(name, error);
    if (stored.typeId() != QMetaType::QVariantMap)
        return failed(name, Texts::tr("%1 does not hold a dictionary").arg(path));
    return passed(name);
}

CheckResult settingsUsable(const Settings& settings)
{
    const CheckResult readable = settingsReadable(settings.storePath());
    if (!readable.ok)
        return readable;
    const QStringList problems = checkedSettingsProblems(settings);
    if (problems.isEmpty())
        return readable;
    return failed(readable.name, problems.join(QStringLiteral("; ")), false);
}

CheckResult siteCodesChanged(const Settings& settings)
{
    const QString notice = SiteCodes::factoryCodesNotice(settings);
    return notice.isEmpty() ? passed(Texts::tr("Codes"))
                            : failed(Texts::tr("Codes"), notice, false);
}

CheckResult imagesFolderReadable(const QString& path)
{
    const QString name = Texts::tr("Images folder");
    if (path.isEmpty())
        return failed(name, Texts::tr("not set"), false);
    const QFileInfo info(path);
    if (!info.exists())
        return failed(name, Texts::tr("%1 is not there").arg(path), false);
    if (!info.isDir())
        return failed(name, Texts::tr("%1 is not a folder").arg(path));
    // Listing needs read and search permission; QDir reports neither failure by itself.
    if (::access(QFile::encodeName(path).constData(), R_OK | X_OK) != 0)
        return failed(name, Texts::tr("cannot read %1: %2").arg(path, systemError(errno)));
    const QString problem = fileSystemProblem(path);
    if (!problem.isEmpty())
        return failed(name, problem, false);
    return passed(name);
}

int ProbeFileSystem::makeFolder(const QByteArray& path)
{
    return ::mkdir(path.constData(), 0700) == 0 ? 0 : errno;
}

int ProbeFileSystem::removeFolder(const QByteArray& path)
{
    return ::rmdir(path.constData()) == 0 ? 0 : errno;
}

int ProbeFileSystem::createExclusive(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    const bool written =
        ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
    const int writeError = written ? 0 : errno;
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    return writeError != 0 ? writeError : closeError;
}

int ProbeFileSystem::rename(const QByteArray& from, const QByteArray& to)
{
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

int ProbeFileSystem::remove(const QByteArray& path)
{
    return ::unlink(path.constData()) == 0 ? 0 : errno;
}

bool ProbeFileSystem::exists(const QByteArray& path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0;
}

int ProbeFileSystem::modificationTime(const QByteArray& path, qint64* nanoseconds)
{
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return errno;
    *nanoseconds = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return 0;
}

int ProbeFileSystem::setModificationTime(const QByteArray& path, qint64 nanoseconds)
{
    const struct timespec times[2] = {
        {0, UTIME_OMIT}, {time_t(nanoseconds / 1000000000), long(nanoseconds % 1000000000)}};
    return ::utimensat(AT_FDCWD, path.constData(), times, 0) == 0 ? 0 : errno;
}

QString fileSystemProblem(const QString& folder)
{
    ProbeFileSystem fileSystem;
    return fileSystemProblem(folder, fileSystem);
}

QString fileSystemProblem(const QString& folder, ProbeFileSystem& fs)
{
    // Unique to this process and call, and hidden: the search and the other stations pass over
    // it, and two stations probing at once never meet.
    const QString probe =
        QStringLiteral("%1/.kivo-share-check-%2-%3")
            .arg(folder)
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const QByteArray dir = QFile::encodeName(probe);
    const QByteArray first = dir + "/a";
    const QByteArray target = dir + "/b";
    auto because = [&](const QString& what, int error) {
        return Texts::tr("%1: %2 (%3)").arg(folder, what, systemError(error));
    };

    if (const int error = fs.makeFolder(dir))
        return because(Texts::tr("cannot make a folder"), error);
    // Whatever is found, the probe leaves nothing behind.
    const auto cleanUp = qScopeGuard([&] {
        for (const QByteArray& file : {first, target})
            if (fs.exists(file))
                fs.remove(file);
        fs.removeFolder(dir);
    });

    // The customer lock: of two stations making the same claim folder, or creating the same
    // lock file, only one may succeed.
    const int secondFolder = fs.makeFolder(dir);
    if (secondFolder == 0)
        return Texts::tr(
                   "%1: a second exclusive creation of a folder succeeded: two stations could "
                   "open the same customer")
            .arg(folder);
    if (secondFolder != EEXIST)
        return because(Texts::tr("a second creation of a folder failed for another reason"),
                       secondFolder);

    // The folder's time is set well into the past first, so that a time that moves is seen even
    // where the file system counts in whole seconds.
    qint64 before = 0;
    if (const int error = fs.modificationTime(dir, &before))
        return because(Texts::tr("cannot read a folder's time"), error);
    constexpr qint64 kPast = qint64(946684800) * 1000000000; // 2000-01-01
    if (fs.setModificationTime(dir, kPast) == 0)
        before = kPast;
    else
        QThread::msleep(1100); // the next whole second, so that an honest time moves

    if (const int error = fs.createExclusive(first, QByteArrayLiteral("a")))
        return because(Texts::tr("cannot create a file"), error);
    const int secondFile = fs.createExclusive(first, QByteArrayLiteral("b"));
    if (secondFile == 0)
        return Texts::tr(
                   "%1: a second exclusive creation of a file succeeded: two stations could open "
                   "the same customer")
            .arg(folder);
    if (secondFile != EEXIST)
        return because(Texts::tr("a second creation of a file failed for another reason"),
                       secondFile);

    // Renamed onto a file that is there, as a finished file replaces the one it updates.
    if (const int error = fs.createExclusive(target, QByteArrayLiteral("b")))
        return because(Texts::tr("cannot create a file"), error);
    if (const int error = fs.rename(first, target))
        return because(Texts::tr("cannot rename a file onto another"), error);
    QFile renamed(QFile::decodeName(target));
    if (fs.exists(first) || !renamed.open(QIODevice::ReadOnly) || renamed.readAll() != "a")
        return Texts::tr("%1: a rename did not replace its target").arg(folder);
    renamed.close();

    qint64 after = before;
    if (const int error = fs.modificationTime(dir, &after))
        return because(Texts::tr("cannot read a folder's time"), error);
    if (after == before)
        return Texts::tr("%1: a folder's modification time does not move when a file is added: new "
                         "photos would not be found")
            .arg(folder);
    return {};
}

CheckResult folderWritable(const QString& name, const QString& folder, bool missingStopsSales)
{
    if (folder.isEmpty())
        return failed(name, Texts::tr("not set"), missingStopsSales);
    const QFileInfo info(folder);
    if (!info.exists())
        return failed(name, Texts::tr("%1 is not there").arg(folder), missingStopsSales);
    if (!info.isDir())
        return failed(name, Texts::tr("%1 is not a folder").arg(folder));

    // A real file, as an order is written: permissions, a read-only mount, quotas and a full
    // disk all show here, where a permission bit alone would miss the last three.
    const QString probe = QStringLiteral("%1/.kivo-self-test-%2-%3")
                              .arg(folder)
                              .arg(QCoreApplication::applicationPid())
                              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const QByteArray encoded = QFile::encodeName(probe);
    const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return failed(name, Texts::tr("cannot write in %1: %2").arg(folder, systemError(errno)));
    static const char kBytes[] = "kivo self-test\n";
    const bool written =
        ::write(fd, kBytes, sizeof kBytes - 1) == ssize_t(sizeof kBytes - 1) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    const bool removed = ::unlink(encoded.constData()) == 0;
    const int removeError = errno;
    if (!written || !closed)
        return failed(name, Texts::tr("cannot write in %1: %2")
                                .arg(folder, systemError(written ? closeError : writeError)));
    if (!removed)
        return failed(name, Texts::tr("cannot remove %1: %2").arg(probe, systemError(removeError)));
    return passed(name);
}

CheckResult orderFolderWritable(const Settings& settings)
{
    const QString name = Texts::tr("Order folder");
    const QString folder = SelfTest::orderFolder(settings);
    if (!settings.localServerPath().isEmpty() || QFileInfo::exists(folder))
        return folderWritable(name, folder, true);
    // Not made yet: the station makes the shared order folder at start, in the nearest folder
    // above it that exists, so that is where a file must be written.
    QString existing = QFileInfo(folder).absolutePath();
    while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).absolutePath())
        existing = QFileInfo(existing).absolutePath();
    CheckResult result = folderWritable(name, existing, true);
    if (result.ok)
        result.detail = Texts::tr("%1 is made at start").arg(folder);
    else
        result.reason = Texts::tr("cannot make %1: %2").arg(folder, result.reason);
    return result;
}

CheckResult logWritable(const QString& path)
{
    const QString name = Texts::tr("Log");
    if (path.isEmpty())
        return failed(name, Texts::tr("no log file"));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(name, Texts::tr("cannot create %1").arg(folder));
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0664);
    if (fd < 0)
        return failed(name, Texts::tr("cannot write %1: %2").arg(path, systemError(errno)));
    ::close(fd);
    return passed(name);
}

CheckResult freeSpace(const QStringList& folders, qint64 minBytes)
{
    const QString name = Texts::tr("Free disk space");
    QStringList low;
    QStringList unknown;
    for (const QString& folder : folders) {
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            continue; // reported by the folder's own check
        const QStorageInfo storage(folder);
        const qint64 available = storage.bytesAvailable();
        if (!storage.isValid() || available < 0)
            low.append(Texts::tr("cannot tell for %1").arg(folder));
        else if (storage.bytesTotal() <= 0)
            // Some share clients (FUSE ones among them) report no size at all, not a full disk:
            // the station sells on, and a write that does fail is reported by the release.
            unknown.append(
                Texts::tr("%1 reports no size, its free space is not known").arg(folder));
        else if (available < minBytes)
            low.append(Texts::tr("%1 has %2 free, needs %3")
                           .arg(folder, QLocale::system().formattedDataSize(available),
                                QLocale::system().formattedDataSize(minBytes)));
    }
    if (!low.isEmpty())
        return failed(name, (low + unknown).join(QStringLiteral("; ")));
    return unknown.isEmpty() ? passed(name)
                             : failed(name, unknown.join(QStringLiteral("; ")), false);
}

} // namespace checks

} // namespace kivo
