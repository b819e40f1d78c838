#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace kivo {

class PhotoPreparation;
class Settings;
class ThumbnailCache;
struct CheckResult;

// The station's photos made ready before the customer comes: the cache of thumbnails and
// previews every thumbnail loader looks in first, its preparation worker, and the watch for
// new photos in the folder searched today. With the file-name index as the search method, the
// index's own look at changed folders finds them; with another method a look of its own every
// few seconds does. Only photos modified today are taken. The worker waits while a visit's
// photos load (holdOff, from the selling screen).
class PreparedPhotos : public QObject
{
    Q_OBJECT

public:
    static constexpr int kScanIntervalMs = 5000;

    // PREVIEWBOUND gives the size the selling screen's preview shows a photo at, or an invalid
    // size while the screen is not laid out.
    PreparedPhotos(Settings& settings, std::function<QSize()> previewBound,
                   QObject* parent = nullptr);
    ~PreparedPhotos() override;

    // Makes the cache and the worker (for the preview's size, waited for a few seconds at most),
    // logs the cache's state, and starts watching. Called once the station's window is up.
    void start();
    // A visit's photos are about to load.
    void holdOff();
    // Looks for new photos now (the timer's work).
    void scan();

    PhotoPreparation* worker() const { return m_worker.get(); }
    // Why the photo cache cannot be written, for the staff; empty while it can.
    QString cacheProblem() const { return m_cacheProblem; }
    // The interval of the look for new photos (tests shorten it).
    void setScanInterval(int ms) { m_timer.setInterval(ms); }

    // The cache of this station with the grid's thumbnail size and PREVIEWBOUND, bounded by
    // prefThumbnailCacheMB.
    static std::shared_ptr<ThumbnailCache> makeCache(const Settings& settings,
                                                     const QSize& previewBound);
    // The cache's size and entries and how many of today's photos in the searched folder have
    // their thumbnail; always passes (an empty cache is no fault).
    static CheckResult cacheCheck(const Settings& settings);
    // The start of today, local time, in seconds since the epoch.
    static qint64 startOfToday();

signals:
    // The photo cache stopped or started being written again (PROBLEM empty).
    void cacheProblemChanged(const QString& problem);

private:
    Settings& m_settings;
    std::function<QSize()> m_previewBound;
    std::shared_ptr<PhotoPreparation> m_worker;
    QTimer m_timer;
    int m_startAttempts = 0;
    QString m_cacheProblem;
    struct Scan;
    std::shared_ptr<Scan> m_scan;
};

} // namespace kivo
