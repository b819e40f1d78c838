#pragma once

#include "search/FileNameIndex.h"

#include <QFuture>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <optional>

namespace kivo {

// The station's one file-name index, kept for the life of the process on a thread of its own,
// so that a lookup never holds up the main thread and two lookups never touch the index at once.
class FileNameIndexService
{
public:
    static FileNameIndexService& instance();

    // Starts a lookup; its result arrives through the future. No value when the query cannot
    // start: the index thread is still busy with an earlier lookup (a share that stopped
    // answering, for instance), or FOLDER is not an absolute path.
    std::optional<QFuture<QStringList>> query(const QString& folder, const QStringList& ids);

    // Brings the index of FOLDER up to date in the background (at start-up, for instance), so
    // that the first customer's lookup does not list the whole tree.
    void prepare(const QString& folder);

    // Takes over the changes the index has seen below FOLDER since (new photos, handed to the
    // arrival handler), unless a refresh started this way has not finished yet: a share that
    // stopped answering gets one, not a queue of them.
    void refresh(const QString& folder);

    // Called on the index thread with the full paths of the files the index finds that it did
    // not hold (every file of a folder indexed for the first time), after each lookup, prepare
    // or refresh. Set before the index is first used; none stops the collecting.
    void setArrivalHandler(std::function<void(const QStringList& paths)> handler);

    // Holds every lookup back by MS milliseconds before it starts (tests of the time limit).
    void setQueryDelayForTesting(int ms) { m_delayMs = ms; }
    // Blocks until the index thread is idle (tests).
    void waitForIdle() { m_thread.waitForDone(); }

private:
    FileNameIndexService();
    // On the index thread, after the index was brought up to date.
    void handOverArrivals();

    QThreadPool m_thread;
    FileNameIndex m_index;
    std::atomic<bool> m_busy{false};
    std::atomic<int> m_delayMs{0};
    std::atomic<bool> m_refreshing{false};
    // Read and written on the index thread only (set through it).
    std::function<void(const QStringList&)> m_arrivalHandler;
};

} // namespace kivo
