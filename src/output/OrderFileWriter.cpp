#include "output/OrderFileWriter.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/OrderConstants.h"
#include "output/Logging.h"
#include "output/OrderFields.h"
#include "output/PendingInvoice.h"
#include "output/ReleaseJournal.h"

#include <QDir>
#include <QFileInfo>
#include <QVariantList>

#include <charconv>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "OrderFileWriter", method, text);
    kivo::Log::debug(lcOutput(),
                     QStringLiteral("OrderFileWriter %1: %2").arg(QLatin1String(method), text));
}

// Money is held as 32-bit floats; a property list holds doubles. Going through the float's
// shortest text keeps 8.1 as 8.1 in the file instead of 8.1000003814697266.
double realFromFloat(float value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QByteArray(buffer, int(end - buffer)).toDouble();
}

QString yesNo(bool ok)
{
    return ok ? QStringLiteral("YES") : QStringLiteral("NO");
}

// A name as an order file can hold it; what had to change is logged.
QString safeName(const char* method, const QString& text)
{
    bool changed = false;
    QString safe = xmlSafeText(text, &changed);
    if (changed)
        log(method,
            QStringLiteral("name [%1] written as [%2]")
                .arg(QString::fromLatin1(text.toUtf8().toPercentEncoding(" /()._-")), safe));
    return safe;
}

FileWriteResult refusedCustomerId(const char* method, const QString& customerId)
{
    FileWriteResult result;
    result.error = QStringLiteral("the customer ID [%1] cannot name a file (letters, digits, "
                                  "'-' and '_' only)")
                       .arg(xmlSafeText(customerId));
    log(method, result.error);
    return result;
}

// Why ORDER cannot go out for a photo without a name, naming it by its place; empty when every
// photo has one. The host could not print such a line, yet the invoice would bill it.
QString unnamedPhoto(const ReleasedOrder& order)
{
    const qsizetype onShow = order.listOfImages.indexOf(QString());
    if (onShow >= 0)
        return QStringLiteral("photo %1 on show has no name").arg(onShow + 1);
    for (qsizetype i = 0; i < order.photos.size(); ++i) {
        if (order.photos[i].name.isEmpty())
            return QStringLiteral("ordered photo %1 has no name").arg(i + 1);
    }
    return {};
}

FileWriteResult missingFolder(const char* method, Setting key)
{
    FileWriteResult result;
    result.error = QStringLiteral("the setting %1 names no folder").arg(settingKeyString(key));
    log(method, result.error);
    return result;
}

// Where the pending invoice of CUSTOMERID goes in FOLDER: beside one not billed yet.
QString freePendingInvoicePath(const QString& folder, const QString& customerId)
{
    return freeOrderFilePath(folder, customerId, QStringLiteral(".txt"));
}

// The files of a release take their names in the order they were staged. A folder that goes
// away between two renames (a share) stops the commit at the file it could not rename
// (FAILED_FINAL): the files before it are in place, that one and the rest wait in the journal for
// the next attempt. RESULT names that file as the one that failed; without a failed rename its
// failedFile stands, and a failed release then has none of its files in place.
void settleResults(const char* method, OrderFilesResult& result, const QString& failedFinal)
{
    const std::pair<const char*, FileWriteResult*> files[] = {
        {"full order", &result.fullOrder},
        {"pending invoice", &result.pendingInvoice},
        {"print job", &result.printJob}};
    for (const auto& [file, write] : files) {
        if (write->attempted && !failedFinal.isEmpty() &&
            QFileInfo(write->path).absoluteFilePath() == QFileInfo(failedFinal).absoluteFilePath())
            result.failedFile = QLatin1String(file);
    }
    result.ok = result.failedFile.isEmpty();
    bool inPlace = result.ok || !failedFinal.isEmpty();
    for (const auto& [file, write] : files) {
        if (!write->attempted)
            continue;
        if (result.failedFile == QLatin1String(file))
            inPlace = false;
        write->ok = inPlace;
        if (!write->ok && write->error.isEmpty())
            write->error = QStringLiteral("not written: the %1 file failed").arg(result.failedFile);
        if (write->ok)
            log(method, QStringLiteral("DidWrite to file[%1] returned [YES]").arg(write->path));
    }
}

} // namespace

QString OrderFileWriter::pathInLocalServerFolder(const QString& customerId,
                                                 const QString& suffix) const
{
    const QString folder = m_settings.localServerPath();
    if (folder.isEmpty())
        return {};
    return QDir::cleanPath(folder + QLatin1Char('/') + customerId + suffix);
}

QList<PackageEntry> OrderFileWriter::fullOrderEntries(const ReleasedOrder& order) const
{
    const char* method = "sendOrderToBeProcessed";
    QList<PackageEntry> entries;
    const qsizetype photos = qMin<qsizetype>(order.photos.size(), kMaxPhotosPerOrder);
    if (order.photos.size() > kMaxPhotosPerOrder)
        log(method, QStringLiteral("order holds [%1] photos; only the first [%2] are written")
                        .arg(order.photos.size())
                        .arg(kMaxPhotosPerOrder));
    for (qsizetype i = 0; i < photos; ++i) {
        const OrderPhoto& photo = order.photos[i];
        const QString name = safeName(method, photo.name);
        for (const OrderLine& line : photo.lines) {
            if (line.qty < 1) {
                log(method,
                    QStringLiteral("NOT writing since (pkgQty - pkgPrePrintQty) = [%1] ?????")
                        .arg(line.qty - line.prePrintQty));
                continue;
            }
            PackageEntry entry{name, line, std::nullopt};
            entry.line.displayName = safeName(method, line.displayName);
            entries.append(entry);
        }
    }
    return entries;
}

QList<PackageEntry> OrderFileWriter::printJobEntries(const QList<PackageEntry>& fullOrder,
                                                     const ReleasedOrder& order)
{
    QList<PackageEntry> printList;
    for (PackageEntry entry : fullOrder) {
        if (order.orientationTranslation)
            order.orientationTranslation(entry);
        // A line can only be printed as often as it was bought: more pre-printed units than
        // ordered leaves nothing to print rather than a negative count.
        if (entry.line.qty - entry.line.prePrintQty > 0) {
            entry.line.qty -= entry.line.prePrintQty;
            entry.line.prePrintQty = 0;
            printList.append(entry);
        }
    }
    return printList;
}

namespace {

enum class FileKind
{
    FullOrder,
    PrintJob
};

// An entry as the order files hold it; a print job leaves out the pre-printed count.
QVariantMap entryDictionary(const PackageEntry& entry, FileKind kind)
{
    QVariantMap map;
    map.insert(QStringLiteral("name"), entry.photoName);
    map.insert(QStringLiteral("pkgDisplayName"), entry.line.displayName);
    map.insert(QStringLiteral("pkgKivoPkgName"), entry.line.kivoPkgName);
    map.insert(QStringLiteral("pkgPLU"), entry.line.plu);
    if (entry.originalPlu)
        map.insert(QStringLiteral("pkgPLU_original"), *entry.originalPlu);
    map.insert(QStringLiteral("pkgUnitPrice"), realFromFloat(entry.line.unitPrice));
    map.insert(QStringLiteral("pkgQty"), entry.line.qty);
    map.insert(QStringLiteral("pkgTotal"), realFromFloat(entry.line.total));
    if (kind == FileKind::FullOrder)
        map.insert(QStringLiteral("pkgPrePrintQty"), entry.line.prePrintQty);
    return map;
}

QVariantList entryList(const QList<PackageEntry>& entries, FileKind kind)
{
    QVariantList list;
    for (const PackageEntry& entry : entries)
        list.append(entryDictionary(entry, kind));
    return list;
}

} // namespace

QVariantMap OrderFileWriter::orderDictionary(const ReleasedOrder& order,
                                             const QList<PackageEntry>& entries) const
{
    const char* method = "sendOrderToBeProcessed";
    QVariantMap dict;
    const QVariant editable = m_settings.value(Setting::editableTextArray);
    if (editable.isValid())
        dict.insert(QStringLiteral("prefEditableTextArray"), editable);
    dict.insert(QStringLiteral("upsellCount"), qint64(order.upsellCount));
    dict.insert(QStringLiteral("freeSheets"), qint64(order.freeSheets));
    if (order.discount != 0.0f)
        dict.insert(QStringLiteral("discountAmt"), realFromFloat(order.discount));
    dict.insert(QStringLiteral("orderNumber"), order.customerId);
    dict.insert(QStringLiteral("customerID"), order.customerId);
    dict.insert(QStringLiteral("version"), QLatin1String(kOrderVersion));

    QVariantList images;
    for (const QString& name : order.listOfImages)
        images.append(safeName(method, name));
    dict.insert(QStringLiteral("listOfImages"), images);
    dict.insert(QStringLiteral("listOfPackages"), entryList(entries, FileKind::FullOrder));
    return dict;
}

OrderFilesResult OrderFileWriter::sendOrderToBeProcessed(const ReleasedOrder& order,
                                                         const QDateTime& now,
                                                         WillAnnounce willAnnounce) const
{
    const char* method = "sendOrderToBeProcessed";
    OrderFilesResult result;
    auto fail = [&result](const char* file, const FileWriteResult& write) {
        if (result.failedFile.isEmpty()) {
            result.failedFile = QLatin1String(file);
            result.error = write.error;
        }
    };

    // The ID becomes the files' names: one that could leave the folders writes nothing.
    if (!isValidCustomerId(order.customerId)) {
        result.fullOrder = refusedCustomerId(method, order.customerId);
        fail("full order", result.fullOrder);
        log(method, QStringLiteral("DID NOT TRY to write TilboxFile !!!!!!!!!!"));
        return result;
    }
    // Refused whole, before anything is written: invoice and print job stay one order.
    if (const QString why = unnamedPhoto(order); !why.isEmpty()) {
        result.fullOrder.error =
            QStringLiteral("the order of %1 is refused: %2").arg(order.customerId, why);
        log(method, result.fullOrder.error);
        fail("full order", result.fullOrder);
        return result;
    }

    const QList<PackageEntry> fullEntries = fullOrderEntries(order);
    const QList<PackageEntry> jobEntries = printJobEntries(fullEntries, order);
    const QVariantMap full = orderDictionary(order, fullEntries);
    // The print job is the full order with what is left to print and the totals.
    QVariantMap job = full;
    job.insert(QStringLiteral("listOfPackages"), entryList(jobEntries, FileKind::PrintJob));
    if (order.totals) {
        const OrderTotals& t = *order.totals;
        job.insert(QStringLiteral("curOrderTotalsInfo"),
                   QVariantMap{{QStringLiteral("subTotal"), realFromFloat(t.subTotal)},
                               {QStringLiteral("tax"), realFromFloat(t.tax)},
                               {QStringLiteral("total"), realFromFloat(t.total)},
                               {QStringLiteral("discount"), realFromFloat(t.discount)}});
    }
    result.printJobNeeded = !jobEntries.isEmpty();

    // The files of the release go out together or not at all: each is staged under a temporary
    // name first, and only when every one is on disk do they take their names.
    ReleaseTransaction transaction(order.customerId,
                                   result.printJobNeeded && willAnnounce == WillAnnounce::Yes
                                       ? ReleaseAnnouncement::PrintJob
                                       : ReleaseAnnouncement::None);
    auto stage = [&](const char* file, FileWriteResult& write, const QString& path,
                     const QByteArray& data) {
        write.attempted = true;
        write.path = path;
        QString why;
        const QString temp = transaction.stage(path, data, &why);
        if (temp.isEmpty()) {
            write.error = QStringLiteral("cannot write %1: %2").arg(path, why);
            log(method, QStringLiteral("DidWrite to file[%1] returned [NO]").arg(path));
            fail(file, write);
        }
        return temp;
    };

    // Full order. Without a local server folder nothing is written anywhere (the file system
    // root is no place for order files).
    const QString fullPath =
        pathInLocalServerFolder(order.customerId, QStringLiteral("_orderOrig.plist"));
    const QByteArray fullData = plist::toXml(full);

    // "Try Again" after a commit that stopped between two renames: that attempt's files are
    // already staged (some in place), and the journal would complete them at the next start.
    // Finishing them, rather than writing a second set beside them, bills and prints the order
    // once.
    if (!fullPath.isEmpty()) {
        QStringList finals;
        QString why;
        const ReleaseTransaction::EarlierAttempt earlier =
            transaction.takeUpEarlierAttempt(fullPath, fullData, &finals, &why);
        if (earlier != ReleaseTransaction::EarlierAttempt::None) {
            FileWriteResult* writes[] = {&result.fullOrder, &result.pendingInvoice,
                                         &result.printJob};
            for (qsizetype i = 0; i < finals.size() && i < qsizetype(std::size(writes)); ++i) {
                writes[i]->attempted = true;
                writes[i]->path = finals[i];
            }
            QString failedFinal;
            if (earlier == ReleaseTransaction::EarlierAttempt::Unfinished) {
                failedFinal = transaction.failedFile();
                result.error = why;
                result.failedFile = QStringLiteral("full order");
            }
            settleResults(method, result, failedFinal);
            result.journalEntry = transaction.pendingEntry();
            return result;
        }
    }

    QString fullTemp;
    if (fullPath.isEmpty()) {
        result.fullOrder = missingFolder(method, Setting::localServerPath);
        fail("full order", result.fullOrder);
    } else {
        fullTemp = stage("full order", result.fullOrder, fullPath, fullData);
    }

    // Pending invoice, from the full-order file as it is on disk.
    if (!fullTemp.isEmpty()) {
        const QString folder = m_settings.tilboxPendingInvoiceFolder();
        QString why;
        const QVariant read = plist::readFile(fullTemp, &why);
        if (folder.isEmpty()) {
            result.pendingInvoice =
                missingFolder("writeTilboxFile", Setting::tilboxPendingInvoiceFolder);
            fail("pending invoice", result.pendingInvoice);
        } else if (read.typeId() != QMetaType::QVariantMap) {
            result.pendingInvoice.error =
                QStringLiteral("cannot read the full order %1: %2").arg(fullTemp, why);
            fail("pending invoice", result.pendingInvoice);
        } else {
            const QByteArray text =
                pendingInvoiceText(read.toMap(), order.freeSheetPackageInfo, order.discountAmounts,
                                   now.isValid() ? now : QDateTime::currentDateTime());
            log("writeTilboxFile", QString::fromUtf8(text));
            stage("pending invoice", result.pendingInvoice,
                  freePendingInvoicePath(folder, order.customerId), text);
        }
    } else {
        log(method, QStringLiteral("DID NOT TRY to write TilboxFile !!!!!!!!!!"));
    }

    // Print job: only what is still to be printed.
    if (!result.printJobNeeded) {
        log(method, QStringLiteral("there are NO prints to be printed - all done"));
    } else if (result.failedFile.isEmpty()) {
        // Beside a print job the host has not taken yet, never over it.
        const QString jobPath = QDir::cleanPath(freeOrderFilePath(
            m_settings.localServerPath(), order.customerId, QStringLiteral("_order.plist")));
        stage("print job", result.printJob, jobPath, plist::toXml(job));
    }

    QString renameFailed;
    if (result.failedFile.isEmpty()) {
        QString why;
        if (!transaction.commit(&why)) {
            renameFailed = transaction.failedFile();
            result.error = why;
            // Without a failed rename the journal entry failed, and no file took its name.
            result.failedFile = QStringLiteral("full order");
        }
    }
    settleResults(method, result, renameFailed);
    result.journalEntry = transaction.pendingEntry();
    return result;
}

FileWriteResult OrderFileWriter::sendOrderToBePrePrinted(const QString& customerId,
                                                         const QString& imagePath) const
{
    const char* method = "sendOrderToBePrePrinted";
    if (imagePath.isEmpty()) {
        FileWriteResult result;
        result.error = QStringLiteral("no photo on show to pre-print");
        log(method, result.error);
        return result;
    }
    if (!isValidCustomerId(customerId))
        return refusedCustomerId(method, customerId);
    const QString folder = m_settings.localServerPath();
    if (folder.isEmpty())
        return missingFolder(method, Setting::localServerPath);
    // Beside a sample the host has not taken yet, never over it: each was asked for.
    const QString path = QDir::cleanPath(
        freeOrderFilePath(folder, customerId, QStringLiteral("_prePrintOrder.plist")));
    const QString photo = safeName(method, imagePath);
    QVariantMap dict;
    dict.insert(QStringLiteral("orderNumber"), customerId);
    dict.insert(QStringLiteral("customerID"), customerId);
    dict.insert(QStringLiteral("version"), QLatin1String(kPrePrintVersion));
    dict.insert(QStringLiteral("listOfImages"), QVariantList{photo});
    QVariantMap entry;
    entry.insert(QStringLiteral("name"), photo);
    entry.insert(QStringLiteral("pkgPLU"), QLatin1String(sSamplePrintPLU));
    entry.insert(QStringLiteral("pkgQty"), qint64(1));
    dict.insert(QStringLiteral("listOfPackages"), QVariantList{entry});

    // Written and announced as a release of its own, so that a crash between the two still
    // gets the sample printed at the next start.
    FileWriteResult result;
    result.attempted = true;
    result.path = path;
    ReleaseTransaction transaction(customerId, ReleaseAnnouncement::PrePrint);
    QString why;
    result.ok =
        !transaction.stage(path, plist::toXml(dict), &why).isEmpty() && transaction.commit(&why);
    if (!result.ok)
        result.error = QStringLiteral("cannot write %1: %2").arg(path, why);
    result.journalEntry = transaction.pendingEntry();
    log(method, QStringLiteral("DidWrite to file[%1] returned [%2]").arg(path, yesNo(result.ok)));
    return result;
}

} // namespace kivo
