#pragma once

#include "output/ReleasedOrder.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace kivo {

class Settings;

// The outcome of writing one file.
struct FileWriteResult
{
    bool attempted = false; // false when the file was not needed or could not be tried
    bool ok = false;
    QString path;
    QString error; // fixed wording plus the system's reason
    // The journal entry of a file that awaits its announcement (ReleaseJournal::markAnnounced).
    QString journalEntry;
};

// The outcome of writing the files of one released order: ok when every file the order needs is
// on disk. Otherwise FAILED_FILE names the first file that failed ("full order", "pending
// invoice", "print job") and ERROR says why.
struct OrderFilesResult
{
    bool ok = false;
    QString failedFile;
    QString error;
    FileWriteResult fullOrder;
    FileWriteResult pendingInvoice;
    FileWriteResult printJob; // not attempted when nothing is left to print
    bool printJobNeeded = false;
    // The release's journal entry, when it awaits the announcement of its print job: once the
    // host was told, ReleaseJournal::markAnnounced(journalEntry). Empty otherwise.
    QString journalEntry;
};

// Writes the order files of a released order: the full-order file "<id>_orderOrig.plist" and the
// print job "<id>_order.plist" in the local server folder (prefLocalServerPath), the pending
// invoice "<id>.txt" in the point-of-sale folder (prefTilboxPendingInvoiceFolder), and, on its
// own, the pre-print file. The files of one release are one transaction (ReleaseTransaction):
// all of them take their names or none does, also across a crash. (A folder that goes away
// between two renames, as a share does, leaves the rest waiting in the journal: the next release
// of the same order finishes them rather than writing a second set.) A customer ID that is not
// letters, digits, '-' and '_' writes nothing. Settings are read at the moment of the write.
// Safe to run on a worker thread.
class OrderFileWriter
{
public:
    explicit OrderFileWriter(Settings& settings) : m_settings(settings) {}

    // At most this many photos go into an order.
    static constexpr int kMaxPhotosPerOrder = 40;
    static constexpr const char* kOrderVersion = "v0.02beta";
    static constexpr const char* kPrePrintVersion = "v0.02beta preprint";

    // The package entries of ORDER's full-order file: every line with a unit of its first
    // kMaxPhotosPerOrder photos, names as the file can hold them.
    QList<PackageEntry> fullOrderEntries(const ReleasedOrder& order) const;
    // The print job's entries made from the full order's: pre-printed units taken out, entries
    // with nothing left dropped, the orientation translation applied. Empty when nothing is left
    // to print.
    static QList<PackageEntry> printJobEntries(const QList<PackageEntry>& fullOrder,
                                               const ReleasedOrder& order);

    enum class WillAnnounce
    {
        No,
        Yes
    };

    // The three files of a released order, in the order full order, pending invoice, print job,
    // all or none; first finishing an attempt at the same order that stopped between two
    // renames. NOW dates the invoice (the current time when invalid). With WILL_ANNOUNCE the
    // release's journal entry stays until the caller has told the host (result.journalEntry), so
    // that a crash before that still gets the order announced at the next start.
    OrderFilesResult sendOrderToBeProcessed(const ReleasedOrder& order,
                                            const QDateTime& now = QDateTime(),
                                            WillAnnounce willAnnounce = WillAnnounce::Yes) const;

    // Writes the pre-print file asking the host for one sample of the photo at IMAGE_PATH, beside
    // one the host has not taken yet ("<id>-2_prePrintOrder.plist", ...). Not attempted without a
    // photo on show. The caller announces it (sendNewOrderEvent).
    FileWriteResult sendOrderToBePrePrinted(const QString& customerId,
                                            const QString& imagePath) const;

    // "<folder>/<id><suffix>", or an empty string when the folder setting is missing.
    QString pathInLocalServerFolder(const QString& customerId, const QString& suffix) const;

private:
    // The full-order file's dictionary: ORDER's figures with ENTRIES as its package list.
    QVariantMap orderDictionary(const ReleasedOrder& order,
                                const QList<PackageEntry>& entries) const;

    Settings& m_settings;
};

} // namespace kivo
