#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

namespace kivo {

class ThumbnailCache;

// Decodes the image at PATH upright and no larger than BOUND (keeping its proportions, never
// enlarged). A JPEG is decoded at a fraction of its full size by the decoder itself, so a
// 24-megapixel photo never exists at full size in memory. Null when the file does not decode,
// is cut short (a JPEG without its end, which would decode grey below the cut), is not a
// regular file, or its read stalls (see readPhotoFile); REASON (when given) then says
// why, for the log. A read is given up as soon as *CANCEL turns true. Safe from any thread.
QImage loadUprightThumbnail(const QString& path, const QSize& bound, QString* reason = nullptr,
                            const std::atomic<bool>* cancel = nullptr);

// Why the photo at PATH cannot be delivered as it stands: missing, not a regular file, empty,
// cut short (a copy still arriving) or not decoding; empty when it decodes whole. Reads the
// whole file under the photo reads' limits. Safe from any thread.
QString photoProblem(const QString& path, const std::atomic<bool>* cancel = nullptr);

// Thumbnails for a grid, decoded on a small pool of its own (at most two threads, so a visit's
// photos neither starve the rest of the station nor hold more than two decodes in memory).
// Results come back on the loader's thread. A photo that cannot be read in time (a file on a
// share that stopped answering) comes back null and frees its pool thread; the read itself is
// left behind. The pool is emptied and waited for when the loader goes, which never waits for
// such a read. A photo with an entry in the cache (the loader's own, else the shared one) that
// shows it well at the size asked for is taken from there; the camera file is decoded only when
// there is none.
class ThumbnailLoader : public QObject
{
    Q_OBJECT
public:
    explicit ThumbnailLoader(QObject* parent = nullptr, int maxThreads = 2);
    ~ThumbnailLoader() override;

    void requestThumbnail(const QString& path, const QSize& bound);
    // The cache this loader looks in first (tests); none: the shared one.
    void setCache(std::shared_ptr<ThumbnailCache> cache) { m_cache = std::move(cache); }
    // The cache every loader without one of its own looks in; none turns it off.
    static void setSharedCache(std::shared_ptr<ThumbnailCache> cache);
    static std::shared_ptr<ThumbnailCache> sharedCache();

    // Whether any loader of the process is loading, or stopped less than QUIETMS ago (the
    // screens are busy with a customer's photos). Any thread.
    static bool loadsActive(int quietMs);
    // Drops requests not yet started (a new visit's photos replace the old ones).
    void cancelPending();
    // Blocks until every started request has delivered its decode to the event queue.
    void waitForDone();

signals:
    // IMAGE is null when PATH cannot be shown; REASON then says why (for the log).
    void thumbnailLoaded(const QString& path, const QImage& image, const QString& reason);

private:
    std::shared_ptr<ThumbnailCache> m_cache;
    QThreadPool m_pool;
    std::atomic<bool> m_closing{false};
};

} // namespace kivo
