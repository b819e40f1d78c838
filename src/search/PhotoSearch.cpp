#include "search/PhotoSearch.h"

#include "core/ConsoleLog.h"
#include "core/DateFormat.h"
#include "core/Settings.h"
#include "search/FileNameIndexService.h"
#include "search/Logging.h"
#include "search/PhotoSearchSteps.h"

#include <QFutureWatcher>
#include <QPromise>
#include <QTimer>

#include <memory>
#include <thread>

namespace kivo {

PhotoSearch::PhotoSearch(const Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{}

PhotoSearch::~PhotoSearch() = default;

QString PhotoSearch::searchFolder(const Settings& settings, const QDateTime& now)
{
    QString folder = settings.mainImagesFolder();
    if (folder.isEmpty())
        return {};
    if (settings.searchDailySubFolder()) {
        const QString pattern = settings.dailyFolderDateFormat();
        if (pattern.isEmpty()) {
            consoleLog(lcSearch(), "PhotoSearch", "searchForPhotos",
                       QStringLiteral("Daily subfolder is on but has no date format; searching "
                                      "the images folder itself"));
        } else {
            // A "/" cannot stand in a folder name; the camera stations write ":" instead.
            QString day = formatDate(now, pattern);
            day.replace(QLatin1Char('/'), QLatin1Char(':'));
            folder += QLatin1Char('/') + day;
        }
    }
    return folder;
}

QString PhotoSearch::idText(const QStringList& ids)
{
    return ids.join(QLatin1Char(','));
}

bool PhotoSearch::searchForPhotos(const QStringList& ids)
{
    const QString folder = searchFolder(m_settings);
    if (folder.isNull()) {
        consoleLog(lcSearch(), "PhotoSearch", "searchForPhotos",
                   QStringLiteral("No images folder set"));
        return false;
    }
    const int method = int(m_settings.searchIdMethodTag());
    consoleLog(lcSearch(), "PhotoSearch", "searchForPhotos",
               QStringLiteral("IDs [%1] in %2, method %3").arg(idText(ids), folder).arg(method));
    if (method == kSearchMethodIndexQuery)
        startIndexQuery(folder, ids);
    else
        startWorker(folder, ids, method);
    return true;
}

void PhotoSearch::startWorker(const QString& folder, const QStringList& ids, int method)
{
    auto promise = std::make_shared<QPromise<QStringList>>();
    auto* watcher = new QFutureWatcher<QStringList>(this);
    connect(watcher, &QFutureWatcher<QStringList>::finished, this, [this, watcher, ids] {
        const QStringList photos =
            watcher->future().resultCount() ? watcher->result() : QStringList();
        watcher->deleteLater();
        emit searchFinished(ids, photos, false);
    });
    watcher->setFuture(promise->future());
    promise->start();
    // A thread of its own, not a pool's: a scan of a slow share must not wait behind, or hold
    // up, other work. The request is handed over whole; the result comes back through the
    // future, which simply goes unheard if this object is gone by then.
    std::thread([promise, folder, ids, method] {
        promise->addResult(performSearchOperation(folder, ids, method));
        promise->finish();
    }).detach();
}

void PhotoSearch::startIndexQuery(const QString& folder, const QStringList& ids)
{
    const auto future = FileNameIndexService::instance().query(folder, ids);
    if (!future) {
        consoleLog(lcSearch(), "PhotoSearch", "startIndexQuery",
                   QStringLiteral("Error. Could not start query. Weird."));
        QMetaObject::invokeMethod(
            this, [this, ids] { emit searchFinished(ids, QStringList(), true); },
            Qt::QueuedConnection);
        return;
    }
    // Whichever comes first, the answer or the time limit, finishes the search; the other is
    // dropped, so a visit never starts twice.
    auto answered = std::make_shared<bool>(false);
    auto* watcher = new QFutureWatcher<QStringList>(this);
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(watcher, &QFutureWatcher<QStringList>::finished, this,
            [this, watcher, timer, answered, ids] {
                const QStringList photos =
                    watcher->future().resultCount() ? watcher->result() : QStringList();
                watcher->deleteLater();
                if (*answered)
                    return; // too late: the search has already finished empty
                *answered = true;
                timer->stop();
                timer->deleteLater();
                emit searchFinished(ids, photos, false);
            });
    connect(timer, &QTimer::timeout, this, [this, timer, answered, ids] {
        timer->deleteLater();
        if (*answered)
            return;
        *answered = true;
        consoleLog(lcSearch(), "PhotoSearch", "startIndexQuery",
                   QStringLiteral("search Took TOO LONG..."));
        emit searchFinished(ids, QStringList(), false);
    });
    watcher->setFuture(*future);
    timer->start(m_queryTimeLimitMs);
}

} // namespace kivo
