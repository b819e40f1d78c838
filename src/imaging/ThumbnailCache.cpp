#include "imaging/ThumbnailCache.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "core/FileNames.h"

#include <QBuffer>
#include <QCryptographicHash>
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
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(path.toUtf8());
    hash.addData(QByteArray(1, '\0'));
    hash.addData(QByteArray::number(stamp.size) + ':' + QByteArray::number(stamp.mtimeNs) + ':' +
                 QByteArray::number(bound.width()) + 'x' + QByteArray::number(bound.height()));
    const QString hex = QString::fromLatin1(hash.result().toHex().left(32));
    // 256 subfolders keep each folder small enough to be quick to open by name on any disk.
    return m_folder + QLatin1Char('/') + hex.left(2) + QLatin1Char('/') + hex.mid(2) +
           QStringLiteral(".jpg");
}

namespace {

// The entry at ENTRY decoded, or null (and the entry removed) when it is not a whole JPEG.
QImage readEntry(const QString& entry)
{
    QFile file(entry);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    file.close();
    // A JPEG ends with its end-of-image marker; without it the file was cut short, and the
    // decoder would fill the rest with grey rather than fail.
    QImage image;
    if (bytes.size() > 4 && bytes.endsWith("\xFF\xD9")) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "jpeg");
        reader.setAutoTransform(false);
        image = reader.read();
    }
    if (image.isNull()) {
        consoleLog(kClass, "find", QStringLiteral("Removed a damaged entry [%1]").arg(entry));
        QFile::remove(entry);
        return {};
    }
    struct stat st;
    const QByteArray name = encodeFileName(entry);
    // Used now: the entry moves to the back of the queue for removal.
    if (::stat(name.constData(), &st) == 0 &&
        st.st_mtim.tv_sec < nowSeconds() - ThumbnailCache::kTouchIntervalSeconds)
        ::utimensat(AT_FDCWD, name.constData(), nullptr, 0);
    return image;
}

} // namespace

QImage ThumbnailCache::find(const QString& path, const QSize& wanted)
{
    return find(path, PhotoStamp::of(path), wanted);
}

QImage ThumbnailCache::find(const QString& path, const PhotoStamp& stamp, const QSize& wanted)
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
        const QImage image = readEntry(entryPath(path, stamp, bound));
        if (!image.isNull())
            return fitted(image);
    }
    // A photo smaller than the largest bound is stored whole, and shows well at any size.
    const QSize largest = m_bounds.constLast();
    if (covers(largest, wanted))
        return {};
    const QImage whole = readEntry(entryPath(path, stamp, largest));
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
        return statPath(entryPath(path, stamp, bound), &st);
    });
}

bool ThumbnailCache::store(const QString& path, const PhotoStamp& stamp, const QSize& bound,
                           const QImage& image)
{
    if (m_writeOff || image.isNull() || !stamp.isValid())
        return false;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(kQuality);
        if (!writer.write(image))
            return false; // the picture, not the folder: writing stays on
    }
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
    return true;
}

void ThumbnailCache::writeFailed(const QString& why)
{
    m_writeOff = true;
    std::call_once(m_told, [&] {
        consoleLog(kClass, "store",
                   QStringLiteral("The photo cache [%1] cannot be written (%2): going on "
                                  "without it")
                       .arg(m_folder, why));
    });
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
