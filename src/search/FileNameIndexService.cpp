#include "search/FileNameIndexService.h"

#include "core/FileNames.h"

#include <QDir>
#include <QPromise>
#include <QThread>

#include <memory>

namespace kivo {

FileNameIndexService& FileNameIndexService::instance()
{
    // Deliberately never destroyed: a lookup stuck on an unresponsive share must not hold up
    // the station's exit.
    static FileNameIndexService* service = new FileNameIndexService;
    return *service;
}

FileNameIndexService::FileNameIndexService()
{
    m_thread.setMaxThreadCount(1);
    m_thread.setExpiryTimeout(-1);
}

std::optional<QFuture<QStringList>> FileNameIndexService::query(const QString& folder,
                                                                const QStringList& ids)
{
    if (!QDir::isAbsolutePath(folder))
        return std::nullopt;
    bool expected = false;
    if (!m_busy.compare_exchange_strong(expected, true))
        return std::nullopt;
    auto promise = std::make_shared<QPromise<QStringList>>();
    QFuture<QStringList> future = promise->future();
    promise->start();
    m_thread.start([this, promise, folder, ids] {
        if (const int delay = m_delayMs.load())
            QThread::msleep(ulong(delay));
        const QStringList found = m_index.lookup(folder, ids);
        m_busy = false;
        handOverArrivals();
        promise->addResult(found);
        promise->finish();
    });
    return future;
}

void FileNameIndexService::prepare(const QString& folder)
{
    if (!QDir::isAbsolutePath(folder))
        return;
    m_thread.start([this, folder] {
        m_index.prepare(folder);
        handOverArrivals();
    });
}

void FileNameIndexService::refresh(const QString& folder)
{
    if (!QDir::isAbsolutePath(folder))
        return;
    bool expected = false;
    if (!m_refreshing.compare_exchange_strong(expected, true))
        return;
    m_thread.start([this, folder] {
        m_index.prepare(folder);
        handOverArrivals();
        m_refreshing = false;
    });
}

void FileNameIndexService::setArrivalHandler(std::function<void(const QStringList&)> handler)
{
    m_thread.start([this, handler = std::move(handler)] {
        m_arrivalHandler = handler;
        m_index.setCollectArrivals(bool(handler));
    });
}

void FileNameIndexService::handOverArrivals()
{
    const std::vector<std::string> arrivals = m_index.takeArrivals();
    if (arrivals.empty() || !m_arrivalHandler)
        return;
    QStringList paths;
    paths.reserve(qsizetype(arrivals.size()));
    for (const std::string& path : arrivals)
        paths.append(decodeFileName(path));
    m_arrivalHandler(paths);
}

} // namespace kivo
