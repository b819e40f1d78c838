#include "imaging/ThumbnailLoader.h"

#include "core/ConsoleLog.h"
#include "imaging/ImageLoader.h"
#include "imaging/Logging.h"
#include "imaging/PhotoPreparation.h"
#include "imaging/ThumbnailCache.h"

#include <QDeadlineTimer>

#include <limits>
#include <mutex>

namespace kivo {

namespace {

// How long looking at a photo's size and time may take before its cache entry is passed over
// (the camera file's read then has its own limit).
constexpr int kStampLimitMs = 1000;

std::mutex sharedCacheMutex;
std::shared_ptr<ThumbnailCache> sharedCacheInstance;

// Loads running in every loader of the process, and when the last one started or ended.
std::atomic<int> loadsRunning{0};
std::atomic<qint64> lastLoadMs{std::numeric_limits<qint64>::min() / 2};

qint64 steadyMs()
{
    return QDeadlineTimer::current().deadline();
}

// Counts a load from its start to its end.
struct LoadGauge
{
    LoadGauge()
    {
        ++loadsRunning;
        lastLoadMs = steadyMs();
    }
    ~LoadGauge()
    {
        lastLoadMs = steadyMs();
        --loadsRunning;
    }
};

} // namespace

void ThumbnailLoader::setSharedCache(std::shared_ptr<ThumbnailCache> cache)
{
    const std::lock_guard lock(sharedCacheMutex);
    sharedCacheInstance = std::move(cache);
}

std::shared_ptr<ThumbnailCache> ThumbnailLoader::sharedCache()
{
    const std::lock_guard lock(sharedCacheMutex);
    return sharedCacheInstance;
}

bool ThumbnailLoader::loadsActive(int quietMs)
{
    return loadsRunning.load() > 0 || steadyMs() - lastLoadMs.load() < quietMs;
}

QImage loadUprightThumbnail(const QString& path, const QSize& bound, QString* reason,
                            const std::atomic<bool>* cancel)
{
    if (path.isEmpty() || bound.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("no path or no size");
        return {};
    }
    // Only the read can hang; the decode works on bytes in memory.
    const PhotoBytes file = readPhotoFile(path, -1, cancel);
    if (!file.ok()) {
        if (reason)
            *reason = file.error;
        return {};
    }
    if (!jpegLooksWhole(file.data)) {
        if (reason)
            *reason = QStringLiteral("the file is cut short");
        return {};
    }
    QImage image = decodeUprightImage(file.data, path, bound);
    if (reason)
        *reason = image.isNull() ? QStringLiteral("does not decode") : QString();
    return image;
}

QString photoProblem(const QString& path, const std::atomic<bool>* cancel)
{
    // A small decode still reads every scan of the file to its end.
    constexpr int kCheckSide = 64;
    QString reason;
    if (loadUprightThumbnail(path, QSize(kCheckSide, kCheckSide), &reason, cancel).isNull())
        return reason.isEmpty() ? QStringLiteral("does not decode") : reason;
    return {};
}

ThumbnailLoader::ThumbnailLoader(QObject* parent, int maxThreads) : QObject(parent)
{
    m_pool.setMaxThreadCount(qMax(1, maxThreads));
}

ThumbnailLoader::~ThumbnailLoader()
{
    // Running requests give up their reads at once, so this wait is short.
    m_closing = true;
    m_pool.clear();
    m_pool.waitForDone();
}

void ThumbnailLoader::requestThumbnail(const QString& path, const QSize& bound)
{
    // The pool is waited for before this object goes, so the task may use `this`.
    lastLoadMs = steadyMs();
    const std::shared_ptr<ThumbnailCache> cache = m_cache ? m_cache : sharedCache();
    m_pool.start([this, path, bound, cache] {
        const LoadGauge gauge;
        QString reason;
        QImage image;
        if (cache) {
            const PhotoStamp stamp = PhotoStamp::within(path, kStampLimitMs, &m_closing);
            image = cache->find(path, stamp, bound, &m_closing);
        }
        if (image.isNull())
            image = loadUprightThumbnail(path, bound, &reason, &m_closing);
        if (m_closing)
            return;
        if (image.isNull())
            consoleLog(lcImaging(), "ThumbnailLoader", "requestThumbnail",
                       QStringLiteral("Cannot show [%1]: %2").arg(path, reason));
        QMetaObject::invokeMethod(
            this, [this, path, image, reason] { emit thumbnailLoaded(path, image, reason); },
            Qt::QueuedConnection);
    });
}

void ThumbnailLoader::cancelPending()
{
    m_pool.clear();
}

void ThumbnailLoader::waitForDone()
{
    m_pool.waitForDone();
}

} // namespace kivo
