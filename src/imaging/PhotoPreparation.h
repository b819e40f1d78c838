#pragma once

#include "imaging/ThumbnailCache.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace kivo {

// Makes the cache entries of new photos while the station waits for its next customer: each
// photo is read and decoded once, reduced and upright, at the largest of the cache's bounds,
// and every entry is made from that picture. One thread at the lowest priority, so it never
// takes more than one core, and it waits while the screens are loading a customer's photos
// (any thumbnail loader at work, or holdOff()).
//
// A photo is taken only once its size and time stamp have stayed the same for the stable
// interval: a camera station may still be writing it. A photo that does not decode (cut short,
// damaged) gets no entry and one log line, and is not tried again until it changes. A photo
// that cannot be read holds every photo back for a while (its folder may have gone away). When the
// cache cannot be written, every photo waits until the cache tries writing again.
class PhotoPreparation
{
public:
    static constexpr int kStableIntervalMs = 2000;
    // How long after the screens' last photo load the worker stays paused.
    static constexpr int kQuietIntervalMs = 500;

    explicit PhotoPreparation(std::shared_ptr<ThumbnailCache> cache);
    // Stops the thread (waiting for it); a photo being prepared is given up.
    ~PhotoPreparation();
    // Asks the thread to stop and waits up to TIMEOUTMS for it. False when it is still held
    // (a look at a share that stopped answering): the owner may then let it be rather than wait.
    bool stop(int timeoutMs);
    PhotoPreparation(const PhotoPreparation&) = delete;
    PhotoPreparation& operator=(const PhotoPreparation&) = delete;

    // Queues photos (full paths); those already queued, already prepared, or known not to
    // decode as they are now are passed over. Any thread.
    void enqueue(const QStringList& paths);
    // A customer's photos are about to load: nothing is prepared until the screens' loads are
    // over. Any thread.
    void holdOff();
    // Held off, the screens loading, or the cache not to be written yet.
    bool isPaused() const;

    // Tests shorten these.
    void setStableInterval(int ms) { m_stableMs = ms; }
    void setQuietInterval(int ms) { m_quietMs = ms; }

    struct Counts
    {
        qint64 prepared = 0; // photos given their entries by this worker
        qint64 failed = 0;   // photos that did not decode
        qint64 waiting = 0;  // photos queued (some waiting for their size to settle)
    };
    Counts counts() const;
    // Blocks until nothing is queued and nothing is being prepared, or TIMEOUTMS pass; answers
    // whether it got there.
    bool waitUntilIdle(int timeoutMs);

    const std::shared_ptr<ThumbnailCache>& cache() const { return m_cache; }

private:
    using Clock = std::chrono::steady_clock;
    struct Watch
    {
        PhotoStamp stamp;
        Clock::time_point since;
    };

    void run();
    // The next photo due, or an empty string (and how long to wait) when none is.
    QString takeDue(Clock::duration* wait);
    void examine(const QString& path);
    // Reads, decodes and stores; false when the file changed meanwhile.
    bool prepare(const QString& path, const PhotoStamp& stamp);
    void schedule(const QString& path, Clock::time_point due);

    std::shared_ptr<ThumbnailCache> m_cache;
    std::atomic<int> m_stableMs{kStableIntervalMs};
    std::atomic<int> m_quietMs{kQuietIntervalMs};

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::multimap<Clock::time_point, QString> m_due;
    QHash<QString, Watch> m_watched;
    // Photos that did not decode, with the stamp they had then.
    QHash<QString, PhotoStamp> m_failedStamps;
    Clock::time_point m_holdUntil;
    bool m_busy = false;
    bool m_finished = false;
    Clock::duration m_readBackoff{};
    Counts m_counts;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

// The pictures of one photo (BYTES, the file at PATH), upright, one within each of BOUNDS
// (smallest first), all made from one decode reduced while decoding. Empty, with *PROBLEM
// saying why, when the bytes are not a whole image. What the worker does with each photo.
QList<QImage> preparePictures(const QByteArray& bytes, const QString& path,
                              const QList<QSize>& bounds, QString* problem);

// Of PATHS, the image files modified at or after SINCESECS (seconds since the epoch): the
// photos worth preparing. Reads only regular files. Any thread.
QStringList photosModifiedSince(const QStringList& paths, qint64 sinceSecs);
// The image files below FOLDER (at any depth) modified at or after SINCESECS.
QStringList photosBelowModifiedSince(const QString& folder, qint64 sinceSecs);

// IMAGE reduced to fit BOUND by averaging the pixels each new pixel covers, on the calling
// thread alone (QImage's own smooth scaling spreads a large picture over the other cores).
QImage shrinkToFit(const QImage& image, const QSize& bound);

// Whether BYTES, a JPEG, end with the image's end marker after its last scan (a file cut
// short decodes without error, grey below the cut). Bytes of other formats pass.
bool jpegLooksWhole(const QByteArray& bytes);

} // namespace kivo
