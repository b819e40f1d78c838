#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>
#include <mutex>

namespace kivo {

// What tells that a photo file changed: its size and modification time. Invalid when the file
// cannot be examined.
struct PhotoStamp
{
    qint64 size = -1;
    qint64 mtimeNs = 0;
    bool isValid() const { return size >= 0; }
    bool operator==(const PhotoStamp&) const = default;
    // The photo at PATH as it is now.
    static PhotoStamp of(const QString& path);
    // The same, looked at on a thread of its own that is given up (left to finish alone) after
    // LIMITMS or as soon as *CANCEL turns true: a file on a share that stopped answering must
    // not hold the caller. Invalid then.
    static PhotoStamp within(const QString& path, int limitMs,
                             const std::atomic<bool>* cancel = nullptr);
};

// Reduced copies of photos, made ahead of time, as small JPEG files in a folder of their own:
// one entry per photo and size (the grid's thumbnail, the preview). An entry's name is a hash of
// the photo's path, size, modification time and the bound it was made for, so an entry of a
// photo that changed since simply no longer matches, and finding one costs a stat, never a look
// through the folder. Entries are written whole under a temporary name and renamed into place,
// so a reader never meets half of one. The folder is bounded: past the limit the entries used
// least recently (by their modification time, refreshed when an entry is used) go first.
//
// An entry is read as what it claims to be or not at all: a regular file (never through a
// link, never a pipe or a device), of a bounded size, read within the photo reads' time limit,
// that records the photo, stamp and bound it was made for; anything else is removed when met,
// and the photo is decoded from its camera file instead.
//
// A folder that cannot be written (read-only, full, not creatable) turns writing off for a
// while; the station goes on without new entries, and the next store after the retry interval
// tries again. The log and the state handler hear of each change. Safe from any thread.
class ThumbnailCache
{
public:
    // FOLDER holds the entries (made when the first is written); LIMITBYTES bounds their total.
    // BOUNDS are the sizes entries are made for, smallest first.
    ThumbnailCache(const QString& folder, qint64 limitBytes, const QList<QSize>& bounds);

    QString folder() const { return m_folder; }
    qint64 limitBytes() const { return m_limit; }
    const QList<QSize>& bounds() const { return m_bounds; }

    // The file an entry of the photo at PATH with STAMP made within BOUND has (or would have).
    QString entryPath(const QString& path, const PhotoStamp& stamp, const QSize& bound) const;

    // The photo at PATH no larger than WANTED, from the smallest entry that shows it well at
    // that size; null when there is none. An entry that does not decode or is not the photo's
    // is removed.
    QImage find(const QString& path, const QSize& wanted);
    // The same for the photo as STAMP found it; a read is given up once *CANCEL turns true.
    QImage find(const QString& path, const PhotoStamp& stamp, const QSize& wanted,
                const std::atomic<bool>* cancel = nullptr);
    // Whether every bound has a current entry of the photo at PATH (no decode).
    bool isPrepared(const QString& path);

    // Stores IMAGE (made within BOUND) as the entry of the photo at PATH with STAMP. False when
    // it could not be written; writing is then off for the retry interval (see above).
    bool store(const QString& path, const PhotoStamp& stamp, const QSize& bound,
               const QImage& image);
    // Whether a store may be tried: writing is on, or off for longer than the retry interval.
    bool isWritable() const;
    // Why writing is off (for the staff), or empty while it is on.
    QString writeProblem() const;
    // Called (on the storing thread, holding the cache's state: it must not call the cache) with
    // writeProblem() each time writing turns off or on.
    void setStateHandler(std::function<void(const QString& problem)> handler);
    // How long writing stays off after a failure (tests shorten it); a retry already due later
    // comes sooner.
    void setRetryInterval(int ms);

    // Removes the least recently used entries until the total is below the limit (and leftover
    // temporary files of writes cut short). Lists the whole folder: for a background thread.
    void trim();
    // Whether stores since the last trim may have passed the limit.
    bool needsTrim() const { return m_bytes.load() > m_limit; }

    struct Usage
    {
        qint64 entries = 0;
        qint64 bytes = 0;
    };
    // Lists the whole folder.
    Usage usage() const;

    static constexpr int kRetryIntervalMs = 60000;
    // No entry is larger; a larger file in the folder is not one.
    static constexpr qint64 kLargestEntry = qint64(32) << 20;
    // How long an entry's use stamp may be out of date before a use refreshes it.
    static constexpr qint64 kTouchIntervalSeconds = 60;
    // JPEG quality of the entries.
    static constexpr int kQuality = 85;

private:
    // Turns writing off for the retry interval; logs and tells the handler when it was on.
    void writeFailed(const QString& why);
    // Turns writing on again after a store succeeded.
    void writeRecovered();
    QImage readEntry(const QString& path, const PhotoStamp& stamp, const QSize& bound,
                     const std::atomic<bool>* cancel);

    QString m_folder;
    qint64 m_limit;
    QList<QSize> m_bounds;
    std::atomic<qint64> m_bytes{0};
    std::atomic<int> m_retryMs{kRetryIntervalMs};
    mutable std::mutex m_stateMutex;
    QString m_problem;      // empty while writing is on
    qint64 m_retryAtMs = 0; // steady clock
    std::function<void(const QString&)> m_stateHandler;
};

} // namespace kivo
