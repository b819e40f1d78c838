#include "station/PreparedPhotos.h"

#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "core/Paths.h"
#include "core/SelfTest.h"
#include "core/Settings.h"
#include "imaging/PhotoPreparation.h"
#include "imaging/ThumbnailCache.h"
#include "imaging/ThumbnailLoader.h"
#include "screens/PhotoGridView.h"
#include "search/FileNameIndex.h"
#include "search/FileNameIndexService.h"
#include "search/PhotoSearch.h"
#include "station/Logging.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThreadPool>

#include <atomic>
#include <new>
#include <thread>

namespace kivo {

namespace {

constexpr const char* kClass = "PreparedPhotos";
// The search method whose index finds new photos by itself.
constexpr qint64 kIndexMethod = 1;
constexpr qint64 kMB = qint64(1024) * 1024;
// The bound when prefThumbnailCacheMB is absent or not above 0 (the factory default).
constexpr qint64 kDefaultCacheMB = 2048;
// How often, and how far apart, the start looks for the selling screen's size.
constexpr int kStartAttempts = 20;
constexpr int kStartRetryMs = 500;
// How long the station's end waits for the worker.
constexpr int kStopWaitMs = 1000;

QSize thumbnailBound()
{
    return {PhotoGridView::kThumbnailSide, PhotoGridView::kThumbnailSide};
}

// "N entries, X of Y MB in FOLDER; P of T photos of today prepared": for the self-test in the
// station's language (TRANSLATED), for the log as it stands.
constexpr const char* kUsageText = QT_TRANSLATE_NOOP(
    "SelfTest", "%1 entries, %2 of %3 MB in %4; %5 of %6 photos of today prepared");

QString describe(const ThumbnailCache& cache, qsizetype today, qsizetype prepared, bool translated)
{
    const ThumbnailCache::Usage usage = cache.usage();
    const QString text = translated ? QCoreApplication::translate("SelfTest", kUsageText)
                                    : QString::fromLatin1(kUsageText);
    return text.arg(usage.entries)
        .arg(double(usage.bytes) / kMB, 0, 'f', 1)
        .arg(cache.limitBytes() / kMB)
        .arg(cache.folder())
        .arg(prepared)
        .arg(today);
}

qsizetype countPrepared(ThumbnailCache& cache, const QStringList& photos)
{
    qsizetype prepared = 0;
    for (const QString& photo : photos)
        prepared += cache.isPrepared(photo) ? 1 : 0;
    return prepared;
}

} // namespace

// The look of its own at today's folder, for search methods without the index: an index of
// its own (it lists again only folders whose time stamps changed), on a thread of its own that
// is never waited for (a share that stopped answering holds only it).
struct PreparedPhotos::Scan
{
    FileNameIndex index;
    std::atomic<bool> busy{false};
};

PreparedPhotos::PreparedPhotos(Settings& settings, std::function<QSize()> previewBound,
                               QObject* parent)
    : QObject(parent), m_settings(settings), m_previewBound(std::move(previewBound)),
      m_scan(std::make_shared<Scan>())
{
    m_scan->index.setCollectArrivals(true);
    m_timer.setInterval(kScanIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &PreparedPhotos::scan);
}

PreparedPhotos::~PreparedPhotos()
{
    FileNameIndexService::instance().setArrivalHandler({});
    if (!m_worker)
        return;
    m_worker->cache()->setStateHandler({});
    if (ThumbnailLoader::sharedCache() == m_worker->cache())
        ThumbnailLoader::setSharedCache(nullptr);
    // A worker held by a share that stopped answering is let be (and left to the end of the
    // process) rather than holding up the station's end.
    if (!m_worker->stop(kStopWaitMs)) {
        try {
            new std::shared_ptr<PhotoPreparation>(m_worker);
        } catch (const std::bad_alloc&) {
            // Without memory for the holder the worker is waited for after all.
        }
    }
}

qint64 PreparedPhotos::startOfToday()
{
    return QDateTime(QDate::currentDate(), QTime(0, 0)).toSecsSinceEpoch();
}

std::shared_ptr<ThumbnailCache> PreparedPhotos::makeCache(const Settings& settings,
                                                          const QSize& previewBound)
{
    qint64 mb = settings.thumbnailCacheMb();
    if (mb <= 0)
        mb = kDefaultCacheMB;
    QList<QSize> bounds{thumbnailBound()};
    if (previewBound.isValid())
        bounds.append(previewBound);
    return std::make_shared<ThumbnailCache>(paths::thumbnailCacheFolder(), mb * kMB, bounds);
}

void PreparedPhotos::start()
{
    if (m_worker)
        return;
    QSize preview = m_previewBound ? m_previewBound() : QSize();
    if (!preview.isValid()) {
        // The selling screen is not laid out yet: its size is worth a short wait, since every
        // entry is made for it.
        if (++m_startAttempts < kStartAttempts) {
            QTimer::singleShot(kStartRetryMs, this, &PreparedPhotos::start);
            return;
        }
        preview = QSize(PhotoGridView::kPreviewSide, PhotoGridView::kPreviewSide);
    }
    std::shared_ptr<ThumbnailCache> cache = makeCache(m_settings, preview);
    // The handler is removed (waiting for a call in progress) before this object goes.
    cache->setStateHandler([this](const QString& problem) {
        QMetaObject::invokeMethod(
            this,
            [this, problem] {
                m_cacheProblem = problem;
                emit cacheProblemChanged(problem);
            },
            Qt::QueuedConnection);
    });
    m_worker = std::make_shared<PhotoPreparation>(cache);
    ThumbnailLoader::setSharedCache(cache);
    consoleLog(lcStation(), kClass, "start",
               QStringLiteral("Photos prepared at %1x%2 and %3x%4")
                   .arg(cache->bounds().constFirst().width())
                   .arg(cache->bounds().constFirst().height())
                   .arg(cache->bounds().constLast().width())
                   .arg(cache->bounds().constLast().height()));
    // The cache's state for the log, found off the screens' thread (it lists the cache).
    // Today's photos that came before the station started are taken too.
    const QString folder = PhotoSearch::searchFolder(m_settings);
    const std::weak_ptr<PhotoPreparation> worker = m_worker;
    QThreadPool::globalInstance()->start([cache, folder, worker] {
        const QStringList today =
            folder.isEmpty() ? QStringList() : photosBelowModifiedSince(folder, startOfToday());
        consoleLog(lcStation(), kClass, "start",
                   QStringLiteral("Photo cache: %1")
                       .arg(describe(*cache, today.size(), countPrepared(*cache, today), false)));
        if (const auto w = worker.lock())
            w->enqueue(today);
    });
    // Sorted out off the index's thread, which a customer's search may be waiting for.
    FileNameIndexService::instance().setArrivalHandler([worker](const QStringList& paths) {
        QThreadPool::globalInstance()->start([worker, paths] {
            if (const auto w = worker.lock())
                w->enqueue(photosModifiedSince(paths, startOfToday()));
        });
    });
    m_timer.start();
    scan();
}

void PreparedPhotos::holdOff()
{
    if (m_worker)
        m_worker->holdOff();
}

void PreparedPhotos::scan()
{
    const QString folder = PhotoSearch::searchFolder(m_settings);
    if (!m_worker || folder.isEmpty())
        return;
    if (m_settings.searchIdMethodTag() == kIndexMethod) {
        FileNameIndexService::instance().refresh(folder);
        return;
    }
    if (m_scan->busy.exchange(true))
        return;
    try {
        std::thread([scan = m_scan, worker = std::weak_ptr<PhotoPreparation>(m_worker), folder] {
            scan->index.prepare(folder);
            QStringList paths;
            for (const std::string& path : scan->index.takeArrivals())
                paths.append(decodeFileName(path));
            if (const auto w = worker.lock())
                w->enqueue(photosModifiedSince(paths, startOfToday()));
            scan->busy = false;
        }).detach();
    } catch (const std::system_error&) {
        m_scan->busy = false;
    }
}

CheckResult PreparedPhotos::cacheCheck(const Settings& settings)
{
    std::shared_ptr<ThumbnailCache> cache = makeCache(settings, QSize());
    const QString folder = PhotoSearch::searchFolder(settings);
    const QStringList today =
        folder.isEmpty() ? QStringList() : photosBelowModifiedSince(folder, startOfToday());
    CheckResult r;
    r.name = QCoreApplication::translate("SelfTest", "Photo cache");
    r.ok = true;
    r.detail = describe(*cache, today.size(), countPrepared(*cache, today), true);
    return r;
}

} // namespace kivo
