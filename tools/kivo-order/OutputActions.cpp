#include "OutputActions.h"

#include "OrderTool.h"
#include "ReceiptModule.h"

#include "orders/PricedSession.h"
#include "output/HostLink.h"
#include "output/OrderFileWriter.h"
#include "output/ReceiptStarter.h"
#include "output/ReleaseJournal.h"
#include "output/ReleasedOrderBuilder.h"

namespace kivo::ordertool {

void addOutputOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("write"),
                      QStringLiteral("Write the order files into the configured folders, as a "
                                     "released order, and print their paths.")});
    parser.addOption({QStringLiteral("announce"),
                      QStringLiteral("Tell the print host about the order's print job, as the "
                                     "station does (D-Bus session bus).")});
    parser.addOption({QStringLiteral("receipt"),
                      QStringLiteral("Build the receipt, write its PDF copy and print it on the "
                                     "receipt printers the settings name.")});
}

int runOutputActions(const QCommandLineParser& parser, const PricedSession& session,
                     const PackageCatalogue& catalogue, Settings& settings, QTextStream& out,
                     QTextStream& err)
{
    const bool write = parser.isSet(QStringLiteral("write"));
    const bool announce = parser.isSet(QStringLiteral("announce"));
    const bool receipt = parser.isSet(QStringLiteral("receipt"));
    if (!write && !announce && !receipt)
        return ExitOk;

    const ReleasedOrder order = ReleasedOrderBuilder::build(session, catalogue, settings);
    const OrderFileWriter writer(settings);
    int status = ExitOk;
    QString writtenEntry; // the release's journal entry, done once the host was told
    // With --write, only the print job written now is announced, never one an earlier release
    // of the same ID left.
    bool printJobWritten = !write;

    if (write) {
        // A release that died half-way (here or in the station) is made whole before another one
        // of the same folders begins.
        for (const QString& line : ReleaseJournal::recover(settings).lines)
            out << "recovered: " << line << "\n";
        const OrderFilesResult files = writer.sendOrderToBeProcessed(
            order, QDateTime(),
            announce ? OrderFileWriter::WillAnnounce::Yes : OrderFileWriter::WillAnnounce::No);
        for (const FileWriteResult* f : {&files.fullOrder, &files.pendingInvoice, &files.printJob})
            if (f->ok)
                out << "wrote " << f->path << "\n";
        writtenEntry = files.journalEntry;
        printJobWritten = files.printJob.ok;
        if (!files.printJobNeeded)
            out << "no print job: every unit was pre-printed\n";
        if (!files.ok) {
            err << "kivo-order: " << files.failedFile << " not written: " << files.error << "\n";
            status = ExitFailure;
        }
    }

    if (receipt) {
        // No name prompt here: the receipt prints without a name.
        ReceiptRequest request;
        request.order = ReceiptOrder::fromReleasedOrder(order, writer.fullOrderEntries(order));
        request.customerId = order.customerId;
        request.curTotalImages = int(order.listOfImages.size());
        if (printReceipt(request, settings, out, err) != ExitOk)
            status = ExitFailure;
    }

    if (announce && !printJobWritten) {
        out << "not announced: no print job written for " << order.customerId << "\n";
    } else if (announce) {
        EventSendResult sent;
        if (!notifyHostOfNewOrder(settings, order.customerId, &sent)) {
            if (sent.status == kConnectionInvalid) {
                out << "not announced: no session bus that answers\n";
                status = ExitFailure;
            } else {
                out << "not announced: no print job for " << order.customerId << "\n";
            }
        } else if (sent.status != kNoErr) {
            out << "announced; the host did not answer: " << sent.status << " " << sent.errorName
                << "\n";
        } else {
            out << "announced to " << busNameForSignature(kHostSignature) << "\n";
        }
        if (sent.status != kConnectionInvalid)
            ReleaseJournal::markAnnounced(writtenEntry);
    }
    out.flush();
    return status;
}

} // namespace kivo::ordertool
