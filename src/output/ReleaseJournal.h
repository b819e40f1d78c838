#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kivo {

class Settings;

// What the host is told once the files of a release are in place.
enum class ReleaseAnnouncement
{
    None,     // nobody is told (an order with nothing to print, or a tool run without --announce)
    PrintJob, // the customer's print job, as ibSentNewOrderEventToKivo announces it
    PrePrint, // the pre-print file, as sendNewOrderAEEventToKivo announces it
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
    // changed, the temporaries are removed) or a rename failed (the entry stays, so the next
    // recovery finishes the release).
    bool commit(QString* error);

    // The journal entry awaiting the announcement; empty when none is awaited.
    QString pendingEntry() const { return m_pendingEntry; }

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

    // The host was told about the release of ENTRY: its journal entry is done.
    static void markAnnounced(const QString& entry);

    // The marker in every temporary file name of a release.
    static constexpr const char* kTemporaryMarker = ".kivo-release-";
};

} // namespace kivo
