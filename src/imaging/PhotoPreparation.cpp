#include "imaging/PhotoPreparation.h"

#include "core/ConsoleLog.h"
#include "imaging/ImageFileType.h"
#include "imaging/ImageLoader.h"
#include "imaging/Logging.h"
#include "imaging/ThumbnailLoader.h"

#include <QDirIterator>

#include <algorithm>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace kivo {

namespace {

constexpr const char* kClass = "PhotoPreparation";
// The lowest priority there is: the worker runs only on time no one else wants.
constexpr int kNice = 19;
// How often a paused worker looks whether it may go on.
constexpr auto kPausedPoll = std::chrono::milliseconds(100);
// How long photos wait after a read failed: doubled at each failure in a row, up to the longest.
constexpr std::chrono::steady_clock::duration kFirstReadBackoff = std::chrono::seconds(30);
constexpr std::chrono::steady_clock::duration kLongestReadBackoff = std::chrono::minutes(15);

// Whether a read failed because the file's folder stopped answering (readPhotoFile's stall and
// its limit on reads left hanging), not because of the file itself.
bool readMayRecover(const QString& error)
{
    return error.startsWith(QLatin1String("no data for")) ||
           error.contains(QLatin1String("hanging"));
}

} // namespace

QStringList photosModifiedSince(const QStringList& paths, qint64 sinceSecs)
{
    QStringList photos;
    for (const QString& path : paths) {
        const PhotoStamp stamp = PhotoStamp::of(path);
        if (stamp.isValid() && stamp.mtimeNs / 1000000000 >= sinceSecs && isImageFile(path))
            photos.append(path);
    }
    return photos;
}

QStringList photosBelowModifiedSince(const QString& folder, qint64 sinceSecs)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    return photosModifiedSince(files, sinceSecs);
}

bool jpegLooksWhole(const QByteArray& bytes)
{
    if (!bytes.startsWith("\xFF\xD8"))
        return true;
    // Scan data cannot hold a marker, so an end marker after the last start of scan closes the
    // image itself, not the small preview inside its EXIF data.
    const qsizetype end = bytes.lastIndexOf("\xFF\xD9");
    return end >= 0 && bytes.indexOf("\xFF\xDA", end) < 0;
}

QImage shrinkToFit(const QImage& image, const QSize& bound)
{
    if (image.isNull() || (image.width() <= bound.width() && image.height() <= bound.height()))
        return image;
    const QSize size = image.size().scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QImage source =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                            : QImage::Format_RGB32);
    QImage out(size, source.format());
    const int sw = source.width(), sh = source.height(), w = size.width(), h = size.height();
    std::vector<int> xFrom(size_t(w) + 1);
    for (int x = 0; x <= w; ++x)
        xFrom[size_t(x)] = int(qint64(x) * sw / w);
    std::vector<quint64> sums(size_t(w) * 4);
    for (int y = 0; y < h; ++y) {
        const int y0 = int(qint64(y) * sh / h), y1 = std::max(y0 + 1, int(qint64(y + 1) * sh / h));
        std::fill(sums.begin(), sums.end(), 0);
        for (int sy = y0; sy < y1; ++sy) {
            const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
            for (int x = 0; x < w; ++x) {
                quint64* s = &sums[size_t(x) * 4];
                const int x1 = std::max(xFrom[size_t(x)] + 1, xFrom[size_t(x) + 1]);
                for (int sx = xFrom[size_t(x)]; sx < x1; ++sx) {
                    const QRgb p = line[sx];
                    s[0] += qRed(p);
                    s[1] += qGreen(p);
                    s[2] += qBlue(p);
                    s[3] += qAlpha(p);
                }
            }
        }
        QRgb* outLine = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const quint64 n =
                quint64(y1 - y0) *
                quint64(std::max(xFrom[size_t(x)] + 1, xFrom[size_t(x) + 1]) - xFrom[size_t(x)]);
            const quint64* s = &sums[size_t(x) * 4];
            outLine[x] = qRgba(int((s[0] + n / 2) / n), int((s[1] + n / 2) / n),
                               int((s[2] + n / 2) / n), int((s[3] + n / 2) / n));
        }
    }
    return out;
}

QList<QImage> preparePictures(const QByteArray& bytes, const QString& path,
                              const QList<QSize>& bounds, QString* problem)
{
    if (bounds.isEmpty())
        return {};
    if (!jpegLooksWhole(bytes)) {
        *problem = QStringLiteral("the file is cut short");
        return {};
    }
    QImage picture = decodeUprightImage(bytes, path, bounds.constLast());
    if (picture.isNull()) {
        *problem = QStringLiteral("does not decode");
        return {};
    }
    // Largest first: each smaller picture is made from the one before, which is quicker and
    // looks the same.
    QList<QImage> pictures(bounds.size());
    for (qsizetype i = bounds.size() - 1; i >= 0; --i) {
        picture = shrinkToFit(picture, bounds.at(i));
        pictures[i] = picture;
    }
    return pictures;
}

PhotoPreparation::PhotoPreparation(std::shared_ptr<ThumbnailCache> cache)
    : m_cache(std::move(cache)), m_thread([this] { run(); })
{}

PhotoPreparation::~PhotoPreparation()
{
    stop(0);
    m_thread.join();
}

bool PhotoPreparation::stop(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    m_wake.notify_all();
    return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return m_finished; });
}

void PhotoPreparation::enqueue(const QStringList& paths)
{
    if (!m_cache)
        return;
    {
        const std::lock_guard lock(m_mutex);
        const Clock::time_point now = Clock::now();
        for (const QString& path : paths) {
            if (path.isEmpty() || m_watched.contains(path))
                continue;
            m_watched.insert(path, Watch{{}, now});
            m_due.emplace(now, path);
        }
    }
    m_wake.notify_all();
}

void PhotoPreparation::holdOff()
{
    const std::lock_guard lock(m_mutex);
    // A longer hold (a folder that stopped answering) stays.
    m_holdUntil = std::max(m_holdUntil, Clock::now() + std::chrono::milliseconds(m_quietMs.load()));
}

bool PhotoPreparation::isPaused() const
{
    if (!m_cache->isWritable())
        return true;
    {
        const std::lock_guard lock(m_mutex);
        if (Clock::now() < m_holdUntil)
            return true;
    }
    return ThumbnailLoader::loadsActive(m_quietMs.load());
}

PhotoPreparation::Counts PhotoPreparation::counts() const
{
    const std::lock_guard lock(m_mutex);
    Counts c = m_counts;
    c.waiting = m_watched.size();
    return c;
}

bool PhotoPreparation::waitUntilIdle(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return m_watched.isEmpty() && !m_busy; });
}

void PhotoPreparation::schedule(const QString& path, Clock::time_point due)
{
    m_due.emplace(due, path);
}

QString PhotoPreparation::takeDue(Clock::duration* wait)
{
    const Clock::time_point now = Clock::now();
    if (m_due.empty()) {
        *wait = std::chrono::hours(1);
        return {};
    }
    const auto first = m_due.begin();
    if (first->first > now) {
        *wait = first->first - now;
        return {};
    }
    QString path = first->second;
    m_due.erase(first);
    return path;
}

void PhotoPreparation::run()
{
    // Linux gives each thread a priority of its own: only this one is lowered.
    ::setpriority(PRIO_PROCESS, id_t(::gettid()), kNice);
    std::unique_lock lock(m_mutex);
    bool trimmed = false;
    while (!m_stopping) {
        Clock::duration wait{};
        const QString path = takeDue(&wait);
        if (path.isEmpty()) {
            if (m_watched.isEmpty() && !m_busy)
                m_idle.notify_all();
            m_wake.wait_for(lock, wait);
            continue;
        }
        m_busy = true;
        lock.unlock();
        if (!trimmed) {
            // Once a run: the total the limit is kept against (and leftovers of writes cut
            // short), found off the screens' thread.
            m_cache->trim();
            trimmed = true;
        }
        examine(path);
        lock.lock();
        m_busy = false;
    }
    m_finished = true;
    m_idle.notify_all();
}

void PhotoPreparation::examine(const QString& path)
{
    const PhotoStamp stamp = PhotoStamp::of(path);
    const auto drop = [this, &path] {
        const std::lock_guard lock(m_mutex);
        m_watched.remove(path);
    };
    bool known = false;
    {
        const std::lock_guard lock(m_mutex);
        known = m_failedStamps.value(path) == stamp;
    }
    if (!stamp.isValid() || known || m_cache->isPrepared(path)) {
        drop();
        return;
    }
    const Clock::time_point now = Clock::now();
    const auto stable = std::chrono::milliseconds(m_stableMs.load());
    {
        const std::lock_guard lock(m_mutex);
        Watch& watch = m_watched[path];
        // First seen, or still growing: the interval starts again.
        if (!(watch.stamp == stamp)) {
            watch = {stamp, now};
            schedule(path, now + stable);
            return;
        }
        if (now < watch.since + stable) {
            schedule(path, watch.since + stable);
            return;
        }
    }
    // A customer's photos are loading: this one waits until they are in.
    while (!m_stopping && isPaused()) {
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, kPausedPoll, [this] { return m_stopping.load(); });
    }
    if (m_stopping)
        return;
    if (!prepare(path, stamp)) {
        const std::lock_guard lock(m_mutex);
        m_watched[path] = {PhotoStamp::of(path), Clock::now()};
        schedule(path, Clock::now() + stable);
        return;
    }
    drop();
    if (m_cache->needsTrim())
        m_cache->trim();
}

bool PhotoPreparation::prepare(const QString& path, const PhotoStamp& stamp)
{
    const QList<QSize>& bounds = m_cache->bounds();
    if (bounds.isEmpty())
        return true;
    const PhotoBytes file = readPhotoFile(path, -1, &m_stopping);
    if (m_stopping)
        return true;
    if (!file.ok() && readMayRecover(file.error)) {
        // The folder may have stopped answering (a share): every photo waits, longer after each
        // failure, so that reads given up on do not pile up while it stays away.
        const std::lock_guard lock(m_mutex);
        m_readBackoff = std::clamp(m_readBackoff * 2, kFirstReadBackoff, kLongestReadBackoff);
        m_holdUntil = std::max(m_holdUntil, Clock::now() + m_readBackoff);
        consoleLog(
            lcImaging(), kClass, "prepare",
            QStringLiteral("Cannot read [%1]: %2; photos wait %3 s")
                .arg(path, file.error)
                .arg(std::chrono::duration_cast<std::chrono::seconds>(m_readBackoff).count()));
        return false;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_readBackoff = {};
    }
    if (!(PhotoStamp::of(path) == stamp))
        return false; // written to while it was read: once more, when it has settled
    QString problem = file.error;
    const QList<QImage> pictures =
        file.ok() ? preparePictures(file.data, path, bounds, &problem) : QList<QImage>();
    if (pictures.isEmpty()) {
        consoleLog(lcImaging(), kClass, "prepare",
                   QStringLiteral("Cannot prepare [%1]: %2").arg(path, problem));
        const std::lock_guard lock(m_mutex);
        m_failedStamps.insert(path, stamp);
        ++m_counts.failed;
        return true;
    }
    bool stored = true;
    for (qsizetype i = 0; i < bounds.size() && stored; ++i)
        stored = m_cache->store(path, stamp, bounds.at(i), pictures.at(i));
    const std::lock_guard lock(m_mutex);
    if (stored) {
        ++m_counts.prepared;
    } else if (!m_cache->isWritable()) {
        // The folder cannot be written (full, say): this photo, and every other, waits until the
        // cache tries again (see isPaused).
        return false;
    }
    return true;
}

} // namespace kivo
