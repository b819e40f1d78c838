#include "imaging/ThumbnailCache.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "imaging/ImageLoader.h"
#include "imaging/Logging.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <system_error>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {

namespace {

constexpr const char* kClass = "ThumbnailCache";
// A temporary file this old belongs to a write that was cut short.
constexpr qint64 kStaleTemporarySeconds = 3600;
// A trim goes this far below the limit, so that the next few stores do not trim again at once.
constexpr int kTrimToPercent = 90;

bool statPath(const QString& path, struct stat* st)
{
    return ::stat(encodeFileName(path).constData(), st) == 0;
}

qint64 nowSeconds()
{
    return qint64(std::time(nullptr));
}

// Whether a picture made within BOUND shows a photo well within WANTED (a few pixels short of
// it are not worth a decode of the camera file).
bool covers(const QSize& bound, const QSize& wanted)
{
    return qint64(bound.width()) * 8 >= qint64(wanted.width()) * 7 &&
           qint64(bound.height()) * 8 >= qint64(wanted.height()) * 7;
}

QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

qint64 steadyMs()
{
    return QDeadlineTimer::current().deadline();
}

// What an entry is of: the photo's path, its stamp and the bound, and the form of the entry.
// Its hash names the entry, and the entry records it whole, so that a file put in another
// entry's place is known. Entries of an earlier form (without the record) get other names: they
// are made again, and the old ones age out of the folder.
constexpr char kEntryForm[] = "2";
QByteArray entryKey(const QString& path, const PhotoStamp& stamp, const QSize& bound)
{
    return kEntryForm + QByteArray(1, '\0') + path.toUtf8() + '\0' +
           QByteArray::number(stamp.size) + ':' + QByteArray::number(stamp.mtimeNs) + ':' +
           QByteArray::number(bound.width()) + 'x' + QByteArray::number(bound.height());
}

// The start of an entry: the JPEG start marker and a comment segment holding KEY.
constexpr char kEntryTag[] = "kivo-cache-entry\n";
QByteArray entryHead(const QByteArray& key)
{
    const QByteArray comment = QByteArray(kEntryTag) + key;
    const qsizetype length = comment.size() + 2;
    if (length > 0xFFFF)
        return {};
    return QByteArray("\xFF\xD8\xFF\xFE", 4) + char(length >> 8) + char(length & 0xFF) + comment;
}

} // namespace

PhotoStamp PhotoStamp::of(const QString& path)
{
    struct stat st;
    if (path.isEmpty() || !statPath(path, &st) || !S_ISREG(st.st_mode))
        return {};
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

namespace {

// One look, shared by the thread that looks and the one that waits for it; whichever is last
// frees it.
struct StampJob
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    PhotoStamp stamp;
};

// Looks still running, given-up ones included; past this many, the folder is not answering and
// no more threads are spent on it.
std::atomic<int> looksRunning{0};
constexpr int kMaxLooks = 16;

} // namespace

PhotoStamp PhotoStamp::within(const QString& path, int limitMs, const std::atomic<bool>* cancel)
{
    if (looksRunning.load() >= kMaxLooks)
        return {};
    auto job = std::make_shared<StampJob>();
    ++looksRunning;
    try {
        std::thread([job, path] {
            const PhotoStamp stamp = PhotoStamp::of(path);
            {
                const std::lock_guard lock(job->mutex);
                job->stamp = stamp;
                job->done = true;
            }
            job->finished.notify_all();
            --looksRunning;
        }).detach();
    } catch (const std::system_error&) {
        --looksRunning;
        return {};
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    std::unique_lock lock(job->mutex);
    while (!job->done) {
        const auto now = Clock::now();
        if (now >= deadline || (cancel && cancel->load()))
            return {};
        job->finished.wait_until(lock, std::min(deadline, now + std::chrono::milliseconds(20)));
    }
    return job->stamp;
}

ThumbnailCache::ThumbnailCache(const QString& folder, qint64 limitBytes, const QList<QSize>& bounds)
    : m_folder(QDir::cleanPath(folder)), m_limit(std::max<qint64>(0, limitBytes)), m_bounds(bounds)
{
    std::sort(m_bounds.begin(), m_bounds.end(), [](const QSize& a, const QSize& b) {
        return qint64(a.width()) * a.height() < qint64(b.width()) * b.height();
    });
}

QString ThumbnailCache::entryPath(const QString& path, const PhotoStamp& stamp,
                                  const QSize& bound) const
{
    const QString hex = QString::fromLatin1(
        QCryptographicHash::hash(entryKey(path, stamp, bound), QCryptographicHash::Sha1)
            .toHex()
            .left(32));
    // 256 subfolders keep each folder small enough to be quick to open by name on any disk.
    return m_folder + QLatin1Char('/') + hex.left(2) + QLatin1Char('/') + hex.mid(2) +
           QStringLiteral(".jpg");
}

QImage ThumbnailCache::readEntry(const QString& path, const PhotoStamp& stamp, const QSize& bound,
                                 const std::atomic<bool>* cancel)
{
    const QString entry = entryPath(path, stamp, bound);
    const QByteArray name = encodeFileName(entry);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        return {}; // none made yet
    QString problem;
    QImage image;
    if (!S_ISREG(st.st_mode)) {
        problem = QStringLiteral("not a regular file");
    } else if (st.st_size > kLargestEntry) {
        problem = QStringLiteral("too large");
    } else {
        const PhotoBytes file = readPhotoFile(entry, kLargestEntry + 1, cancel, false);
        if (!file.ok()) {
            // Gone since, replaced by a link or a pipe, or the read did not finish in time.
            if (file.error != QLatin1String("not a regular file"))
                return {};
            problem = file.error;
        } else if (file.data.size() > kLargestEntry) {
            problem = QStringLiteral("too large");
        } else if (!file.data.startsWith(entryHead(entryKey(path, stamp, bound)))) {
            problem = QStringLiteral("not this photo's entry");
        } else if (!file.data.endsWith("\xFF\xD9")) {
            // A JPEG ends with its end-of-image marker; without it the file was cut short, and
            // the decoder would fill the rest with grey rather than fail.
            problem = QStringLiteral("cut short");
        } else {
            QByteArray bytes = file.data;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, "jpeg");
            reader.setAutoTransform(false);
            image = reader.read();
            if (image.isNull())
                problem = QStringLiteral("does not decode");
        }
    }
    if (!problem.isEmpty()) {
        consoleLog(lcImaging(), kClass, "find",
                   QStringLiteral("Removed a damaged entry [%1]: %2").arg(entry, problem));
        ::unlink(name.constData()); // a link goes, not what it points to
        return {};
    }
    // Used now: the entry moves to the back of the queue for removal.
    if (st.st_mtim.tv_sec < nowSeconds() - kTouchIntervalSeconds)
        ::utimensat(AT_FDCWD, name.constData(), nullptr, AT_SYMLINK_NOFOLLOW);
    return image;
}

QImage ThumbnailCache::find(const QString& path, const QSize& wanted)
{
    return find(path, PhotoStamp::of(path), wanted);
}

QImage ThumbnailCache::find(const QString& path, const PhotoStamp& stamp, const QSize& wanted,
                            const std::atomic<bool>* cancel)
{
    if (m_bounds.isEmpty() || wanted.isEmpty() || !stamp.isValid())
        return {};
    const auto fitted = [&wanted](const QImage& image) {
        if (image.width() <= wanted.width() && image.height() <= wanted.height())
            return image;
        return image.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    };
    for (const QSize& bound : m_bounds) {
        if (!covers(bound, wanted))
            continue;
        const QImage image = readEntry(path, stamp, bound, cancel);
        if (!image.isNull())
            return fitted(image);
    }
    // A photo smaller than the largest bound is stored whole, and shows well at any size.
    const QSize largest = m_bounds.constLast();
    if (covers(largest, wanted))
        return {};
    const QImage whole = readEntry(path, stamp, largest, cancel);
    if (!whole.isNull() && whole.width() < largest.width() && whole.height() < largest.height())
        return fitted(whole);
    return {};
}

bool ThumbnailCache::isPrepared(const QString& path)
{
    const PhotoStamp stamp = PhotoStamp::of(path);
    if (!stamp.isValid() || m_bounds.isEmpty())
        return false;
    struct stat st;
    return std::all_of(m_bounds.begin(), m_bounds.end(), [&](const QSize& bound) {
        return ::lstat(encodeFileName(entryPath(path, stamp, bound)).constData(), &st) == 0 &&
               S_ISREG(st.st_mode);
    });
}

bool ThumbnailCache::store(const QString& path, const PhotoStamp& stamp, const QSize& bound,
                           const QImage& image)
{
    if (!isWritable() || image.isNull() || !stamp.isValid())
        return false;
    const QByteArray head = entryHead(entryKey(path, stamp, bound));
    if (head.isEmpty())
        return false; // a path no file system has
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(kQuality);
        if (!writer.write(image))
            return false; // the picture, not the folder: writing stays on
    }
    if (!bytes.startsWith("\xFF\xD8"))
        return false;
    bytes.replace(0, 2, head);
    const QString entry = entryPath(path, stamp, bound);
    const QString subfolder = entry.left(entry.lastIndexOf(QLatin1Char('/')));
    if (!QDir().mkpath(subfolder)) {
        writeFailed(QStringLiteral("cannot make %1").arg(subfolder));
        return false;
    }
    // Written under a hidden name and renamed into place: a reader finds the whole entry or
    // none. Not flushed to disk: an entry lost in a power cut is made again.
    const QByteArray target = encodeFileName(entry);
    const QByteArray temporary = encodeFileName(
        subfolder + QStringLiteral("/.tmp-%1")
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    const int fd =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        writeFailed(errnoText(errno));
        return false;
    }
    const bool written = writeAllToDescriptor(fd, bytes);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const int code = written ? errno : writeError;
        ::unlink(temporary.constData());
        writeFailed(errnoText(code));
        return false;
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        writeFailed(errnoText(code));
        return false;
    }
    m_bytes += bytes.size();
    writeRecovered();
    return true;
}

bool ThumbnailCache::isWritable() const
{
    const std::lock_guard lock(m_stateMutex);
    return m_problem.isEmpty() || steadyMs() >= m_retryAtMs;
}

QString ThumbnailCache::writeProblem() const
{
    const std::lock_guard lock(m_stateMutex);
    return m_problem;
}

void ThumbnailCache::setRetryInterval(int ms)
{
    const std::lock_guard lock(m_stateMutex);
    m_retryMs = ms;
    m_retryAtMs = std::min(m_retryAtMs, steadyMs() + ms);
}

void ThumbnailCache::setStateHandler(std::function<void(const QString&)> handler)
{
    const std::lock_guard lock(m_stateMutex);
    m_stateHandler = std::move(handler);
}

void ThumbnailCache::writeFailed(const QString& why)
{
    const std::lock_guard lock(m_stateMutex);
    m_retryAtMs = steadyMs() + m_retryMs.load();
    if (!m_problem.isEmpty())
        return; // still off: told already
    consoleLog(lcImaging(), kClass, "store",
               QStringLiteral("The photo cache [%1] cannot be written (%2): going on without it, "
                              "trying again in %3 s")
                   .arg(m_folder, why)
                   .arg(m_retryMs.load() / 1000));
    m_problem = QCoreApplication::translate("ThumbnailCache",
                                            "The photo cache %1 cannot be written (%2); photos "
                                            "show more slowly until it can")
                    .arg(m_folder, why);
    // Under the lock, so that a handler removed has returned and is never called again.
    if (m_stateHandler)
        m_stateHandler(m_problem);
}

void ThumbnailCache::writeRecovered()
{
    const std::lock_guard lock(m_stateMutex);
    if (m_problem.isEmpty())
        return;
    m_problem.clear();
    consoleLog(lcImaging(), kClass, "store",
               QStringLiteral("The photo cache [%1] is written again").arg(m_folder));
    if (m_stateHandler)
        m_stateHandler(m_problem);
}

namespace {

struct EntryFile
{
    qint64 usedSec;
    qint64 size;
    QByteArray path;
};

// Every file below FOLDER's subfolders (entries and temporary files).
template <typename Visit> void forEachFile(const QString& folder, Visit visit)
{
    QDirIterator subfolders(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    while (subfolders.hasNext()) {
        QDirIterator files(subfolders.next(), QDir::Files | QDir::Hidden);
        while (files.hasNext()) {
            const QString file = files.next();
            struct stat st;
            const QByteArray name = encodeFileName(file);
            if (::lstat(name.constData(), &st) == 0 && S_ISREG(st.st_mode))
                visit(files.fileName(), name, st);
        }
    }
}

} // namespace

void ThumbnailCache::trim()
{
    std::vector<EntryFile> entries;
    qint64 total = 0;
    const qint64 staleBefore = nowSeconds() - kStaleTemporarySeconds;
    forEachFile(m_folder,
                [&](const QString& fileName, const QByteArray& path, const struct stat& st) {
                    if (fileName.startsWith(QLatin1Char('.'))) {
                        if (st.st_mtim.tv_sec < staleBefore)
                            ::unlink(path.constData());
                        return;
                    }
                    entries.push_back({qint64(st.st_mtim.tv_sec), qint64(st.st_size), path});
                    total += st.st_size;
                });
    if (total > m_limit) {
        std::sort(entries.begin(), entries.end(),
                  [](const EntryFile& a, const EntryFile& b) { return a.usedSec < b.usedSec; });
        const qint64 goal = m_limit / 100 * kTrimToPercent;
        for (const EntryFile& e : entries) {
            if (total <= goal)
                break;
            if (::unlink(e.path.constData()) == 0)
                total -= e.size;
        }
    }
    m_bytes = total;
}

ThumbnailCache::Usage ThumbnailCache::usage() const
{
    Usage u;
    forEachFile(m_folder, [&u](const QString& fileName, const QByteArray&, const struct stat& st) {
        if (fileName.startsWith(QLatin1Char('.')))
            return;
        ++u.entries;
        u.bytes += st.st_size;
    });
    return u;
}

} // namespace kivo
