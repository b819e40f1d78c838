#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace kivo {

class Settings;

// What the host is told once the files of a release are in place.
enum class ReleaseAnnouncement
{
    None,     // nobody is told (an order with nothing to print, or a tool run without --announce)
    PrintJob, // the customer's print job, as notifyHostOfNewOrder announces it
    PrePrint, // the pre-print file, as sendNewOrderEvent announces it
};

// The files of one release (full order, pending invoice, print job; or the pre-print file) as one
// transaction. Every new file is first written and synced under a temporary name beside its
// final one; then one journal entry naming every temporary/final pair is written atomically (the
// point from which the release will be completed whatever happens); then the temporaries take
// their final names in the order they were staged; the entry stays until the host was told (or
// is removed at once when nobody is to be told). A release that dies before its entry leaves only
// temporaries, which the next recovery removes: the old files stay whole.
//
// A transaction holds the journal's lock from construction to destruction, so that a recovery in
// another process never takes its temporaries for leftovers. Not copyable; one thread.
class ReleaseTransaction
{
public:
    ReleaseTransaction(const QString& customerId, ReleaseAnnouncement announcement);
    ~ReleaseTransaction(); // removes the temporaries of a transaction that was not committed
    ReleaseTransaction(const ReleaseTransaction&) = delete;
    ReleaseTransaction& operator=(const ReleaseTransaction&) = delete;

    // Writes DATA under a temporary name beside FINAL_PATH and syncs it. The temporary's path, or
    // an empty string (and ERROR) on failure.
    QString stage(const QString& finalPath, const QByteArray& data, QString* error);

    // Journal entry, renames. False (and ERROR) when the entry could not be written (nothing
    // changed, the temporaries are removed) or a rename failed (the entry stays: a retry of the
    // release in this process finishes it, the end of its visit rolls it back, and otherwise the
    // next recovery finishes it).
    bool commit(QString* error);

    // What became of an earlier attempt at this release.
    enum class EarlierAttempt
    {
        None,       // there was none, or it was rolled back: stage and commit this one
        Completed,  // its files are all in place now: this one writes nothing
        Unfinished, // its files still cannot all take their names (failedFile(), ERROR)
    };

    // Before anything is staged: an attempt of this process at the release whose first file is
    // FIRST_FINAL, whose commit failed after its journal entry (a folder went away between two
    // renames), is taken up. Held by the journal, it would otherwise be completed at the next
    // start beside the files of a retry, and the customer billed and printed twice. When its
    // first file holds FIRST_DATA too (the same order, tried again) its remaining files take
    // their names, and pendingEntry() is its entry when the host is to be told. FINALS lists
    // the attempt's files in staging order (empty with None). When the order changed meanwhile, or
    // a file of the attempt is gone, the attempt is rolled back. A folder that still does not
    // answer leaves it as it is.
    EarlierAttempt takeUpEarlierAttempt(const QString& firstFinal, const QByteArray& firstData,
                                        QStringList* finals, QString* error);

    // The journal entry awaiting the announcement; empty when none is awaited.
    QString pendingEntry() const { return m_pendingEntry; }

    // After a failed commit: the final path of the file that could not take its name; empty
    // when the journal entry itself could not be written (then no file took its name).
    QString failedFile() const { return m_failedFile; }

    // Tests only: run before each staged file takes its final name, so that a folder can go away
    // between two renames as a share does. Not thread-safe: set it while no release runs.
    static void setBeforeRenameForTests(std::function<void(const QString& finalPath)> hook);

private:
    struct Staged
    {
        QString temp;
        QString final;
        QByteArray hash;
    };
    void rollback();

    QString m_customerId;
    ReleaseAnnouncement m_announcement;
    QString m_token;
    QList<Staged> m_staged;
    QString m_pendingEntry;
    QString m_failedFile;
    int m_lockFd = -1;
    bool m_committed = false;
};

// What a recovery did.
struct RecoveryReport
{
    int completed = 0;          // interrupted releases whose renames were finished
    int rolledBack = 0;         // releases that could not be finished: their temporaries removed
    int announced = 0;          // complete releases told to the host
    int temporariesRemoved = 0; // leftover temporaries of releases that never reached the journal
    QStringList lines;          // one line per action, for the log
    bool changedNothing() const
    {
        return completed == 0 && rolledBack == 0 && announced == 0 && temporariesRemoved == 0;
    }
};

class ReleaseJournal
{
public:
    // "<shared order folder>/.journal".
    static QString folder();

    // Brings the order folders back to whole releases, as the station's start and kivo-order's
    // --write do first: an interrupted release whose temporaries are all there is finished, one
    // that cannot be is rolled back, a complete release that was never announced is announced
    // (when there is a session bus; else it stays for the next start), and leftover temporaries
    // in the local server and point-of-sale folders are removed.
    static RecoveryReport recover(Settings& settings);

    // The visit whose release stopped between two renames (ReleaseTransaction's
    // takeUpEarlierAttempt) ended without trying it again: the customer was told the order was
    // not saved, so it is rolled back here rather than completed at the next start. The number
    // of releases rolled back.
    static int rollBackUnfinishedAttempts();

    // The host was told about the release of ENTRY: its journal entry is done.
    static void markAnnounced(const QString& entry);

    // The marker in every temporary file name of a release.
    static constexpr const char* kTemporaryMarker = ".kivo-release-";
};

} // namespace kivo
